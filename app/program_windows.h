#pragma once

#include "app/help_engine.h"
#include "app/wizard.h"

#include <QPrinter>
#include <QStringList>

#include <memory>
#include <vector>

struct CalcState;
class QDialog;
class QWidget;
class TAboutBox;
class CompareWindow;
class TForm1;
class TForm2;
class TForm22;
class TForm222;
class TForm2222;
class TForm3;
class TForm4;
class TMainForm;
class TOKBottomDlg;
class TOKBottomDlg3;
class TOKBottomDlg333;
class TOKBottomDlg3333;
class TOKBottomDlg33333;
class TOKBottomDlg_wyw;

// The owner of every window of the program, of the one printer that the print
// and printer set-up dialogs configure, and of the help engine. It creates
// each window once, in the program's order, the main window first, and
// destroys them all when it goes; windows are never re-created in between.
class ProgramWindows {
public:
    // helpDirectories: where the help engine looks for the help document.
    explicit ProgramWindows(CalcState& state,
                            QStringList helpDirectories = HelpEngine::DefaultSearchDirectories());
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    TMainForm& MainForm() const { return *mainForm_; }
    TAboutBox& AboutBox() const { return *aboutBox_; }
    TOKBottomDlg& OKBottomDlg() const { return *okBottomDlg_; }
    TForm1& Form1() const { return *form1_; }
    TForm2& Form2() const { return *form2_; }
    TForm3& Form3() const { return *form3_; }
    TForm4& Form4() const { return *form4_; }
    TOKBottomDlg3& OKBottomDlg3() const { return *okBottomDlg3_; }
    TOKBottomDlg333& OKBottomDlg333() const { return *okBottomDlg333_; }
    TOKBottomDlg3333& OKBottomDlg3333() const { return *okBottomDlg3333_; }
    TOKBottomDlg33333& OKBottomDlg33333() const { return *okBottomDlg33333_; }
    TOKBottomDlg_wyw& OKBottomDlg_wyw() const { return *okBottomDlgWyw_; }
    TForm22& Form22() const { return *form22_; }
    TForm222& Form222() const { return *form222_; }
    TForm2222& Form2222() const { return *form2222_; }
    CompareWindow& CompareForm() const { return *compareForm_; }

    // The input dialog that a step of the calculation wizard shows.
    QDialog& WizardWindow(WizardDialog dialog) const;

    QPrinter& Printer() { return printer_; }
    HelpEngine& Help() { return help_; }

    // The windows in the order they were created.
    const std::vector<QWidget*>& CreationOrder() const { return creationOrder_; }

private:
    // Creates a window with the main window as its parent and notes its place
    // in the order of creation.
    template <class Window, class... Arguments>
    void Create(std::unique_ptr<Window>& window, const char* name, Arguments&&... arguments);

    QPrinter printer_;
    HelpEngine help_;
    std::vector<QWidget*> creationOrder_;
    // Destroyed in the reverse order: the dialogs before the main window.
    std::unique_ptr<TMainForm> mainForm_;
    std::unique_ptr<TAboutBox> aboutBox_;
    std::unique_ptr<TOKBottomDlg> okBottomDlg_;
    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<TForm2> form2_;
    std::unique_ptr<TForm3> form3_;
    std::unique_ptr<TForm4> form4_;
    std::unique_ptr<TOKBottomDlg3> okBottomDlg3_;
    std::unique_ptr<TOKBottomDlg333> okBottomDlg333_;
    std::unique_ptr<TOKBottomDlg3333> okBottomDlg3333_;
    std::unique_ptr<TOKBottomDlg33333> okBottomDlg33333_;
    std::unique_ptr<TOKBottomDlg_wyw> okBottomDlgWyw_;
    std::unique_ptr<TForm22> form22_;
    std::unique_ptr<TForm222> form222_;
    std::unique_ptr<TForm2222> form2222_;
    std::unique_ptr<CompareWindow> compareForm_;
};
