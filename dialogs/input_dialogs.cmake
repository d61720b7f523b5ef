# The input dialogs of the wizard and the value files that remember their numbers.
target_sources(wyw_dialogs PRIVATE
    valuefile.cpp valuefile.h
    input_controls.cpp input_controls.h
    dialog_ro.cpp dialog_ro.h
    dialog.cpp dialog.h
    dialog1.cpp dialog1.h
    dialog_jednostki.cpp dialog_jednostki.h
    dialog22.cpp dialog22.h
    dialog2.cpp dialog2.h
    dialog_chrop.cpp dialog_chrop.h
    dialog_hala.cpp dialog_hala.h
    dialog3.cpp dialog3.h
    dialog33.cpp dialog33.h
    dialog333.cpp dialog333.h
    dialog3333.cpp dialog3333.h
)
