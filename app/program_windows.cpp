#include "program_windows.h"

#include "about.h"
#include "main.h"
#include "printing.h"

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
    // ---- The input dialogs and the ventilator choice are created here, in
    // this order, each with the main window as parent: OKBottomDlg, Form1,
    // Form2, Form3, Form4, OKBottomDlg3, OKBottomDlg333, OKBottomDlg3333,
    // OKBottomDlg33333, OKBottomDlg_wyw, Form22, Form222, Form2222. Those with
    // edit fields read their value files while they are created.
}

ProgramWindows::~ProgramWindows() = default;
