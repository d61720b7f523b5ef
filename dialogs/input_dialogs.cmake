# SPDX-License-Identifier: GPL-3.0-or-later
# The input dialogs of the wizard and the value files that remember their numbers.
target_sources(wyw_dialogs PRIVATE
    value_file.cpp value_file.h
    input_controls.cpp input_controls.h
    value_file_dialog.h
    choice_dialog.cpp choice_dialog.h
    density_mode_dialog.cpp density_mode_dialog.h
    typed_density_dialog.cpp typed_density_dialog.h
    weather_dialog.cpp weather_dialog.h
    duct_shape_dialog.cpp duct_shape_dialog.h
    round_duct_dialog.cpp round_duct_dialog.h
    rectangular_duct_dialog.cpp rectangular_duct_dialog.h
    duct_material_dialog.cpp duct_material_dialog.h
    installation_dialog.cpp installation_dialog.h
    hall_dialog.cpp hall_dialog.h
    rectangular_grille_dialog.cpp rectangular_grille_dialog.h
    round_grille_dialog.cpp round_grille_dialog.h
    adjustable_grille_dialog.cpp adjustable_grille_dialog.h
)
