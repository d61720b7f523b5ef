# SPDX-License-Identifier: GPL-3.0-or-later
# The JPEG decoder and the ventilator choice dialog.
wyw_add_qtest(test_jpeg_decoder SOURCES test_jpeg_decoder.cpp LIBS wyw_dialogs)
wyw_add_qtest(test_ventilator_dialog SOURCES test_ventilator_dialog.cpp LIBS wyw_dialogs)
