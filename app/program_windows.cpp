#include "app/program_windows.h"

#include "app/about.h"
#include "app/main.h"
#include "app/printing.h"
#include "compare/compare_window.h"
#include "dialogs/dialog.h"
#include "dialogs/dialog1.h"
#include "dialogs/dialog2.h"
#include "dialogs/dialog22.h"
#include "dialogs/dialog3.h"
#include "dialogs/dialog33.h"
#include "dialogs/dialog333.h"
#include "dialogs/dialog3333.h"
#include "dialogs/dialog_chrop.h"
#include "dialogs/dialog_hala.h"
#include "dialogs/dialog_jednostki.h"
#include "dialogs/dialog_ro.h"
#include "dialogs/dialog_wyw.h"
#include "dialogs/valuefile.h"

#include <QDir>

#include <utility>

ProgramWindows::ProgramWindows(CalcState& state, QStringList helpDirectories)
    : printer_(QPrinter::HighResolution)
    , help_(std::move(helpDirectories))
{
    ConfigurePrinter(printer_);
    // Without a printer the print dialog offers a PDF file; suggest one in the
    // working directory.
    if (printer_.outputFormat() == QPrinter::PdfFormat && printer_.outputFileName().isEmpty())
        printer_.setOutputFileName(QDir::current().absoluteFilePath(QStringLiteral("wyniki.pdf")));

    // Every window once, in this order. The main window comes first and is
    // the program's main window.
    mainForm_ = std::make_unique<TMainForm>(state, *this);
    creationOrder_.push_back(mainForm_.get());
    aboutBox_ = std::make_unique<TAboutBox>(mainForm_.get());
    creationOrder_.push_back(aboutBox_.get());
    // The dialogs with edit fields read their value files while they are
    // created, so the files are read once per run, here.
    Create(okBottomDlg_, "OKBottomDlg", state);
    Create(form1_, "Form1", state);
    Create(form2_, "Form2", state);
    Create(form3_, "Form3", state);
    Create(form4_, "Form4", state);
    Create(okBottomDlg3_, "OKBottomDlg3", state);
    Create(okBottomDlg333_, "OKBottomDlg333", state);
    Create(okBottomDlg3333_, "OKBottomDlg3333", state);
    Create(okBottomDlg33333_, "OKBottomDlg33333", state);
    Create(okBottomDlgWyw_, "OKBottomDlg_wyw", state);
    Create(form22_, "Form22", state);
    Create(form222_, "Form222", state);
    Create(form2222_, "Form2222", state);
    // Last, the comparison of all ventilators, an addition to the classic windows.
    Create(compareForm_, "CompareForm", state, [this](int index) {
        mainForm_->RunCommand([this, index] { mainForm_->ChooseVentilator(index); });
    });
    // A value file that cannot be saved is told on the main window's status line.
    for (QWidget* window : creationOrder_)
        for (auto* file : window->findChildren<DialogValueFile*>(Qt::FindDirectChildrenOnly))
            QObject::connect(file, &DialogValueFile::SaveFailed, mainForm_.get(),
                             &TMainForm::ShowSaveFailure);
}

template <class Window, class... Arguments>
void ProgramWindows::Create(std::unique_ptr<Window>& window, const char* name,
                            Arguments&&... arguments)
{
    window = std::make_unique<Window>(std::forward<Arguments>(arguments)..., mainForm_.get());
    window->setObjectName(QString::fromLatin1(name));
    creationOrder_.push_back(window.get());
}

QDialog& ProgramWindows::WizardWindow(WizardDialog dialog) const
{
    switch (dialog) {
    case WizardDialog::DensityMode:
        return *okBottomDlg3_;
    case WizardDialog::TypedDensity:
        return *okBottomDlg_;
    case WizardDialog::Weather:
        return *form3_;
    case WizardDialog::DuctShape:
        return *okBottomDlg333_;
    case WizardDialog::RoundDuct:
        return *form4_;
    case WizardDialog::RectangularDuct:
        return *form1_;
    case WizardDialog::DuctMaterial:
        return *okBottomDlg33333_;
    case WizardDialog::InstallationType:
        return *okBottomDlg3333_;
    case WizardDialog::Hall:
        return *form2_;
    case WizardDialog::BuildingRectangular:
        return *form22_;
    case WizardDialog::BuildingRound:
        return *form222_;
    case WizardDialog::BuildingAdjustable:
        break;
    }
    return *form2222_;
}

ProgramWindows::~ProgramWindows() = default;
