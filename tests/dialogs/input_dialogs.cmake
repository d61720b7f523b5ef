# SPDX-License-Identifier: GPL-3.0-or-later
# The input dialogs and their value files.
wyw_add_qtest(test_value_file SOURCES test_value_file.cpp input_dialog_support.h LIBS wyw_dialogs)
wyw_add_qtest(test_input_windows SOURCES test_input_windows.cpp input_dialog_support.h
              LIBS wyw_dialogs)
wyw_add_qtest(test_air_dialogs SOURCES test_air_dialogs.cpp input_dialog_support.h
              LIBS wyw_dialogs)
wyw_add_qtest(test_duct_dialogs SOURCES test_duct_dialogs.cpp input_dialog_support.h
              LIBS wyw_dialogs)
wyw_add_qtest(test_hall_dialogs SOURCES test_hall_dialogs.cpp input_dialog_support.h
              LIBS wyw_dialogs)
wyw_add_qtest(test_building_dialogs SOURCES test_building_dialogs.cpp input_dialog_support.h
              LIBS wyw_dialogs)
wyw_add_qtest(test_adjustable_dialog SOURCES test_adjustable_dialog.cpp input_dialog_support.h
              LIBS wyw_dialogs)
wyw_add_qtest(test_refused_inputs SOURCES test_refused_inputs.cpp input_dialog_support.h
              ../common/refused_inputs.h LIBS wyw_dialogs)
