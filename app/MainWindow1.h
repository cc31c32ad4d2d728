#pragma once
// The main window: a narrow always-on-top tool window with the folder list, the launch
// button and a pop-up menu, that slides in from the left edge of the screen.
#include "app/ListFileStore.h"
#include "app/ShellServices.h"
#include "app/portable/FolderList.h"
#include "controls/GradBox.h"
#include "controls/MCCBox.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

#include <memory>
#include <optional>
#include <string>

// The program's own file, in UTF-16.
std::wstring ModuleFileName();

class TMainForm1 : public TForm {
public:
    // `exePath` is the program's own file: the list file lies beside it, relative paths in
    // the list are taken against its folder, and the information page names it.
    explicit TMainForm1(TComponent* AOwner, const std::wstring& exePath = ModuleFileName());
    const char* ClassName() const override { return "TMainForm1"; }
    void Dispatch(TMessage& msg) override;

    // Components, in declaration order.
    TListFileStore* Memo1;
    TButton* Button4;
    TPopupMenu* PopupMenu1;
    TMenuItem* A1;
    TMenuItem* N1;
    TMenuItem* Delete1;
    TMenuItem* Rename1;
    TMenuItem* Repoint1;
    TMenuItem* MoveUp1;
    TMenuItem* MoveDown1;
    TMenuItem* N5;
    TGradBox* GradBox1;
    TLabel* Label2;
    TMenuItem* Exit1;
    TMultiColComboBox* MultiColComboBox1;
    TLabel* Label3;
    TMenuItem* N2;
    TTimer* Timer1;

    // Event handlers.
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void Button4Click(TObject* Sender);
    void N1Click(TObject* Sender);
    void Delete1Click(TObject* Sender);
    void Rename1Click(TObject* Sender);
    void Repoint1Click(TObject* Sender);
    void MoveUp1Click(TObject* Sender);
    void MoveDown1Click(TObject* Sender);
    void A1Click(TObject* Sender);
    void Exit1Click(TObject* Sender);
    void MultiColComboBox1Change(TObject* Sender);
    void Timer1Timer(TObject* Sender);
    void WMDropFiles(TMessage& msg);
    void WMEndSession(TMessage& msg);

    std::string ListFilePath() const;
    // Appends the entry for (name, path) at the end of the folder list, in the list
    // file's encoding; throws EConvertError when the encoding cannot hold it.
    void AppendEntry(const std::wstring& name, const std::wstring& path);
    // The selected entry's folder as the text it is; empty when nothing is selected.
    std::wstring SelectedFolder() const;

    // The shell and the message boxes; the real ones unless set.
    void SetServices(IShellServices& services) { FServices = &services; }
    void SetMessageBoxes(IMessageBoxes& boxes) { FMessageBoxes = &boxes; }

private:
    void CreateComponents();
    std::wstring AskName(const std::wstring& folder);
    // Feeds the combo box from the folder list; the selected entry stays selected where it
    // still is.
    void ShowList();
    // The list file's bytes as they are now: nothing when the file is not there. Throws
    // when it is there but cannot be read, at once or, with `waitForHolds`, after waiting
    // for another program that holds it as the save's steps wait.
    std::optional<std::string> ReadListFileNow(bool waitForHolds = false);
    // Writes what the folder list says a save writes, replacing the file in one step.
    void SaveList();
    // While the window has no change of its own, shows an edit made to the file outside.
    void FollowListFile();
    // After a failed save: true when the user chooses to close all the same.
    bool CloseWithoutSaving();
    // The path a registered folder is stored by in this list, or why it cannot be.
    StoredPathChoice PathToStore(const std::wstring& folder) const;
    // The selected entry's folder is not there: asks whether to delete the entry, and
    // deletes it as the delete command does.
    void OfferToDeleteMissing(const std::wstring& stored, const std::wstring& real, TObject* Sender);
    // The selected entry, while it is still the one `shown` was taken from: a dialog may
    // have let the list follow an edit of the file meanwhile. Nothing otherwise.
    std::optional<std::size_t> StillSelected(const std::string& shown) const;
    // Entry i changed in the list: the combo box shows it anew, with `select` selected.
    void ShowChanged(std::size_t i, std::size_t select);
    // Entry i changes places with the one below it.
    void MoveSelected(std::size_t upper, std::size_t select);

    // The executable's folder and path as far as the program's code page holds them, for
    // messages and the information page; the list file is opened by its UTF-16 path.
    std::string ExeFolder;
    std::string FExePath;
    std::wstring FListFile;
    // The executable's folder, whole: relative paths in the list are taken against it.
    std::wstring FProgramFolder;
    TShellServices FRealServices;
    IShellServices* FServices = &FRealServices;
    TMessageBoxes FRealMessageBoxes;
    IMessageBoxes* FMessageBoxes = &FRealMessageBoxes;
    // The one model of the list: the file's lines, its encoding, the window's changes.
    FolderList FList;
};

extern TMainForm1* MainForm1;
