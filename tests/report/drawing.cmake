# SPDX-License-Identifier: GPL-3.0-or-later
# The drawing of the report lines: positions through the recording canvas, and
# the placing of a text's top on real pixels.
wyw_add_qtest(test_report_draw SOURCES test_report_draw.cpp LIBS wyw_report_draw)
wyw_add_qtest(test_report_draw_painter SOURCES test_report_draw_painter.cpp LIBS wyw_report_draw)
