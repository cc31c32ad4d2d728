#include "app/MainWindow1.h"

#include "app/DropFiles.h"
#include "app/FolderLook.h"
#include "app/ShellQueries.h"
#include "app/WidePath.h"
#include "app/portable/ListFile.h"
#include "app/portable/LaunchParams.h"
#include "app/portable/LaunchPath.h"
#include "app/portable/PathRules.h"
#include "app/portable/Registration.h"
#include "app/portable/SlideIn.h"
#include "controls/portable/CommaText.h"
#include "framework/ExceptionDisplay.h"
#include "framework/Exceptions.h"
#include "framework/Handles.h"
#include "framework/WideText.h"

#include <shellapi.h>


TMainForm1* MainForm1 = nullptr;

// In UTF-16 and whole: the folder may hold characters the program's code page cannot, and
// may be longer than MAX_PATH.
std::wstring ModuleFileName() {
    std::wstring buf(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n < buf.size() || buf.size() >= 32768) {
            buf.resize(n < buf.size() ? n : buf.size());
            return buf;
        }
        buf.resize(buf.size() * 2);
    }
}

namespace {

// A refused path goes on with the next item, so it is shown, not thrown.
void TellRefusal(const std::string& message) { ExceptionDisplay::ShowMessageText(message); }

// The primary monitor's work area: the screen without the taskbar and the desktop's
// other bars, where the window's caption can always be reached.
RECT WorkArea() {
    RECT area{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) area = RECT{};
    return area;
}

template <class T> T* Make(TMainForm1* form, const char* name) {
    T* c = new T(form);
    c->Name = name;
    return c;
}

TMenuItem* MakeItem(TMainForm1* form, TPopupMenu* menu, const char* name, const char* caption,
                    TShortCut shortcut, bool enabled, void (TMainForm1::*handler)(TObject*)) {
    auto* item = Make<TMenuItem>(form, name);
    item->Caption = caption;
    item->ShortCut = shortcut;
    item->Enabled = enabled;
    if (handler) item->OnClick = [form, handler](TObject* s) { (form->*handler)(s); };
    menu->Add(item);
    return item;
}

} // namespace

TMainForm1::TMainForm1(TComponent* AOwner, const std::wstring& exe) : TForm(AOwner), FList(SystemShiftJis()) {
    CreateComponents();
    // Where code page 932 holds the executable's path, the folder and the list file are
    // what they always were; else the list file is found by the Unicode folder, and
    // messages show its path as far as it converts.
    const NarrowText path = Narrow(exe);
    FExePath = path.bytes;
    if (path.exact) {
        ExeFolder = FolderOfPath(FExePath, CodePage::Cp932());
        FProgramFolder = Widen(ExeFolder);
        FListFile = Widen(ListFilePath());
    } else {
        ExeFolder = NarrowShown(FolderOf(exe));
        FProgramFolder = FolderOf(exe);
        FListFile = FolderOf(exe) + Widen(::ListFilePath(""));
    }
    // Off-screen to the left of the work area and seven pixels high: the timer slides the
    // window in.
    const RECT area = WorkArea();
    const SlideInStart start = SlideInStartFor(area.left, area.top);
    SetTop(start.top);
    SetLeft(start.left);
    SetHeight(start.height);
    SetWidth(start.width);
    DragAcceptFiles(Handle(), TRUE);
}

// The window as its design describes it, in creation order.
void TMainForm1::CreateComponents() {
    Name = "MainForm1";
    SetCaption("Kestrovane1");
    BorderStyle = bsToolWindow;
    FormStyle = fsStayOnTop;
    SetColor(clBtnFace);
    DesignClientWidth = 492;
    DesignClientHeight = 37;
    SetBounds(20, 20, FWidth, FHeight);
    OnShow = [this](TObject* s) { FormShow(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };

    GradBox1 = Make<TGradBox>(this, "GradBox1");
    GradBox1->SetParent(this);
    GradBox1->SetBounds(0, 0, 492, 37);
    GradBox1->SetAlign(alClient);
    GradBox1->SetTopColor(clWindow);
    GradBox1->SetLastColor(clBtnFace);
    GradBox1->SetOutLineColor(clGreen);
    GradBox1->SetDrawOutLine(true);
    GradBox1->SetFont3D(false);

    Label2 = Make<TLabel>(this, "Label2");
    Label2->SetParent(this);
    Label2->SetBounds(8, 12, 29, 12);
    Label2->SetCaption("ﾊﾟｽ ：");
    Label2->Alignment = taRightJustify;
    Label2->SetTransparent(true);
    Label2->SetFont(Font());

    Label3 = Make<TLabel>(this, "Label3");
    Label3->SetParent(this);
    Label3->SetBounds(12, 32, 6, 12);
    Label3->SetCaption("\"");
    Label3->SetVisible(false);

    Memo1 = Make<TListFileStore>(this, "Memo1");

    Button4 = Make<TButton>(this, "Button4");
    Button4->SetParent(this);
    Button4->SetBounds(386, 8, 100, 21);
    Button4->SetCaption("ｴｸｽﾌﾟﾛｰﾗ起動(&E)");
    Button4->Hint = "エクスプローラの起動";
    Button4->SetShowHint(true);
    Button4->SetFont(Font());
    Button4->TabOrder = 1;
    Button4->OnClick = [this](TObject* s) { Button4Click(s); };

    MultiColComboBox1 = Make<TMultiColComboBox>(this, "MultiColComboBox1");
    MultiColComboBox1->SetParent(this);
    MultiColComboBox1->SetBounds(40, 8, 340, 21);
    MultiColComboBox1->Hint = "パス(フォルダ)の選択";
    MultiColComboBox1->SetShowHint(true);
    MultiColComboBox1->TabOrder = 0;
    MultiColComboBox1->SetCanEdit(false);
    TCBColumn* name = MultiColComboBox1->Columns()->Items(0);
    name->Width = 100;
    name->SetColor(clBtnFace);
    TCBColumn* path = MultiColComboBox1->Columns()->Add();
    path->Width = 540;
    MultiColComboBox1->SetTargetColumn(1);
    MultiColComboBox1->DropDownCount = 12;
    MultiColComboBox1->SetItemHeight(15);
    MultiColComboBox1->OnChange = [this](TObject* s) { MultiColComboBox1Change(s); };
    MultiColComboBox1->OnDropDown = [this](TObject*) { FollowListFile(); };

    PopupMenu1 = Make<TPopupMenu>(this, "PopupMenu1");
    PopupMenu = PopupMenu1;
    N1 = MakeItem(this, PopupMenu1, "N1", "新規登録(&N)...", 16462, true, &TMainForm1::N1Click);
    Delete1 = MakeItem(this, PopupMenu1, "Delete1", "削除(&D)", 16452, false, &TMainForm1::Delete1Click);
    Rename1 = MakeItem(this, PopupMenu1, "Rename1", "名前の変更(&M)...", VK_F2, false, &TMainForm1::Rename1Click);
    Repoint1 = MakeItem(this, PopupMenu1, "Repoint1", "フォルダの変更(&F)...", 0, false, &TMainForm1::Repoint1Click);
    MoveUp1 = MakeItem(this, PopupMenu1, "MoveUp1", "上へ移動(&U)", scCtrl | VK_UP, false, &TMainForm1::MoveUp1Click);
    MoveDown1 =
        MakeItem(this, PopupMenu1, "MoveDown1", "下へ移動(&O)", scCtrl | VK_DOWN, false, &TMainForm1::MoveDown1Click);
    N5 = MakeItem(this, PopupMenu1, "N5", "-", 0, true, nullptr);
    A1 = MakeItem(this, PopupMenu1, "A1", "インフォメーション(&I)...", 0, true, &TMainForm1::A1Click);
    N2 = MakeItem(this, PopupMenu1, "N2", "-", 0, true, nullptr);
    Exit1 = MakeItem(this, PopupMenu1, "Exit1", "終了(&X)", 16465, true, &TMainForm1::Exit1Click);

    Timer1 = Make<TTimer>(this, "Timer1");
    Timer1->SetInterval(20);
    Timer1->SetOnTimer([this](TObject* s) { Timer1Timer(s); });

    ScaleForDesign(96, 12);
    SetClientSize(DesignClientWidth, DesignClientHeight);
}

void TMainForm1::Dispatch(TMessage& msg) {
    if (msg.Msg == WM_DROPFILES) {
        // While a dialog holds the window disabled a drop is refused, as a click would be.
        if (IsWindowEnabled(Handle()))
            WMDropFiles(msg);
        else
            DragFinish(reinterpret_cast<HDROP>(msg.WParam));
        return;
    }
    if (msg.Msg == WM_ENDSESSION) WMEndSession(msg);  // the framework then ends the application
    if (msg.Msg == WM_ACTIVATE && LOWORD(msg.WParam) != WA_INACTIVE) FollowListFile();
    TForm::Dispatch(msg);
}

std::string TMainForm1::ListFilePath() const { return ::ListFilePath(ExeFolder); }

void TMainForm1::ShowList() {
    const int selected = MultiColComboBox1->ItemIndex();
    const std::string selectedEntry = selected >= 0 ? MultiColComboBox1->Items()->Get(selected) : "";
    TComboItems* items = MultiColComboBox1->Items();
    int reselect = -1;
    {
        const UpdateScope update(*items);
        items->Clear();
        for (std::size_t i = 0; i < FList.Count(); ++i) {
            const std::string shown = FList.ShownEntry(i);
            if (reselect < 0 && selected >= 0 && shown == selectedEntry) reselect = static_cast<int>(i);
            items->Add(shown);
        }
    }
    if (selected < 0) return;
    MultiColComboBox1->SetItemIndex(reselect);
    MultiColComboBox1Change(this);
}

void TMainForm1::FormShow(TObject*) {
    try {
        // At log-on a scanner or a sync client may hold the file for a moment.
        FList.Load(Memo1->ReadBytes(FListFile, true));
    } catch (...) {
        // A list file that is there but was not read, whatever stopped the read, must not
        // be overwritten unasked.
        if (GetFileAttributesW(FListFile.c_str()) != INVALID_FILE_ATTRIBUTES)
            FList.LoadFailed();
        else
            FList.Load(std::nullopt);
        ShowList();
        throw;
    }
    ShowList();
}

std::optional<std::string> TMainForm1::ReadListFileNow(bool waitForHolds) {
    try {
        return Memo1->ReadBytes(FListFile, waitForHolds);
    } catch (...) {
        const DWORD attr = GetFileAttributesW(FListFile.c_str());
        if (attr == INVALID_FILE_ATTRIBUTES && IsMissingFileError(GetLastError())) return std::nullopt;
        throw;
    }
}

// Someone may edit the list file in a text editor while the window runs all day. Such an
// edit shows in the list as soon as the user comes back to the window, as long as the
// window holds nothing of its own that reloading would lose; otherwise the save merges.
void TMainForm1::FollowListFile() {
    if (FList.HasOwnChanges()) return;
    std::optional<std::string> now;
    try {
        now = ReadListFileNow();
    } catch (...) {
        return;  // held by the editor right now: the next activation looks again
    }
    if (FList.Follow(std::move(now))) ShowList();
}

void TMainForm1::FormClose(TObject*, TCloseAction& Action) {
    if (FList.HasLoadFailed()) {
        if (!FList.HasOwnChanges()) return;  // nothing of the user's to keep
        const std::string question = "ファイル " + ListFilePath() +
                                     " は起動時に読み込めませんでした。上書きすると元の内容は失われます。上書きしますか?";
        switch (FMessageBoxes->Show(Handle(), question, Application ? Application->Title() : "",
                                    MB_YESNOCANCEL | MB_ICONWARNING | MB_DEFBUTTON2)) {
        case IDYES: break;
        case IDNO: return;
        default: Action = caNone; return;
        }
    }
    try {
        SaveList();
    } catch (...) {
        // A folder that takes no writes (Program Files, a read-only share) would keep the
        // window from ever closing: after the error, the user may close without saving.
        ExceptionDisplay::HandleCurrentException();
        if (!CloseWithoutSaving()) Action = caNone;
    }
}

bool TMainForm1::CloseWithoutSaving() {
    const UINT flags = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2;  // いいえ is the default
    return FMessageBoxes->Show(Handle(), "フォルダの一覧を保存できませんでした。保存せずに終了しますか?",
                               Application ? Application->Title() : "", flags) == IDYES;
}

// A list the window did not change is not written at all: its time stays, a read-only
// file raises no error, a sync client has nothing to do.
void TMainForm1::SaveList() {
    if (!FList.NeedsSave()) return;
    // The save's first step: like the others, it waits for a file another program holds.
    // After a failed load the user has agreed to replace what was never read.
    const std::optional<std::string> now = FList.HasLoadFailed() ? std::nullopt : ReadListFileNow(true);
    FolderList::SavePlan plan = FList.PlanSave(now);
    if (plan.write) Memo1->WriteBytes(FListFile, plan.bytes);
    // The list now shows what the file holds, and nothing is the window's own any more.
    if (FList.Saved(std::move(plan))) ShowList();
}

// The window is meant to stay open all day, so at log-off or shut-down the list is
// written as the close writes it; the closing event itself does not run. Nobody can be
// asked now: a list file that could not be read at start stays as it is, and a failed
// save leaves the old file whole without a word.
void TMainForm1::WMEndSession(TMessage& msg) {
    if (!msg.WParam || FList.HasLoadFailed()) return;
    try {
        SaveList();
    } catch (...) {
    }
}

void TMainForm1::Timer1Timer(TObject*) {
    const SlideInAction a = SlideInStep(Left(), Height(), Width(), WorkArea().left);
    if (a == SlideInAction::Stop) {
        Timer1->SetEnabled(false);
        return;
    }
    const SlideInBounds b = ApplySlideIn({Left(), Height(), Width()}, a);
    SetBounds(b.left, Top(), b.width, b.height);  // the top edge stays
}

void TMainForm1::Exit1Click(TObject*) { Close(); }

void TMainForm1::AppendEntry(const std::wstring& name, const std::wstring& path) {
    FList.Append(Widen(Label3->Caption()), name, path);
    MultiColComboBox1->Items()->Add(FList.ShownEntry(FList.Count() - 1));
    MultiColComboBox1Change(this);  // the selected entry may no longer be the last
}

std::wstring TMainForm1::AskName(const std::wstring& folder) {
    return AskStorableName(
        [&](const std::wstring& field) { return FServices->AskName(NamingCaption, folder, DefaultEntryName, field); },
        Widen(DefaultEntryName), [this](std::wstring_view n) { return FList.NameRefusal(n); }, TellRefusal);
}

StoredPathChoice TMainForm1::PathToStore(const std::wstring& folder) const {
    return FList.PathToStore(folder, [&] { return ShortAnsiFormOf(folder); });
}

std::wstring TMainForm1::SelectedFolder() const {
    const int i = MultiColComboBox1->ItemIndex();
    return i >= 0 && static_cast<std::size_t>(i) < FList.Count() ? FList.PathOf(static_cast<std::size_t>(i))
                                                                  : std::wstring();
}

// Given a folder that is gone, the explorer opens another one without a word, so the
// folder is looked for first; a look that takes long leaves the answer to the explorer.
void TMainForm1::Button4Click(TObject* Sender) {
    const std::wstring stored = SelectedFolder();
    const std::wstring real = RealFolderPath(stored, FProgramFolder, ShellQueries::EnvironmentValue);
    if (!real.empty() && LookForFolderAwhile(*FServices, real, 1000) == FolderPresence::Missing) {
        OfferToDeleteMissing(stored, real, Sender);
        return;
    }
    FServices->Launch(Handle(),
                      {L"open", ShellQueries::ExplorerExe(), ExplorerParameters(real), std::nullopt, SW_SHOWDEFAULT});
}

void TMainForm1::OfferToDeleteMissing(const std::wstring& stored, const std::wstring& real, TObject* Sender) {
    const std::string question = "フォルダ " + NarrowShown(real) + " が見つかりません。一覧から削除しますか?";
    const UINT flags = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2;  // いいえ is the default
    if (FMessageBoxes->Show(Handle(), question, Application ? Application->Title() : "", flags) != IDYES) return;
    // The list may have followed an edit of the file while the question was open.
    if (SelectedFolder() == stored) Delete1Click(Sender);
}

void TMainForm1::N1Click(TObject*) {
    RegisterChosenFolder(
        PathToStore(FServices->BrowseForFolder(Handle(), {})), [this](const std::wstring& f) { return AskName(f); },
        [this](const std::wstring& n, const std::wstring& p) { AppendEntry(n, p); }, TellRefusal);
}

void TMainForm1::Delete1Click(TObject* Sender) {
    const int i = MultiColComboBox1->ItemIndex();
    if (i >= 0) {
        FList.Delete(static_cast<size_t>(i));
        MultiColComboBox1->Items()->Delete(i);
    }
    MultiColComboBox1->Repaint();
    MultiColComboBox1Change(Sender);
}

void TMainForm1::A1Click(TObject*) {
    FServices->Launch(Handle(), {L"OPEN", Widen(InfoPageAddress(FExePath, CodePage::Cp932())), L"", L"", SW_SHOW});
}

void TMainForm1::MultiColComboBox1Change(TObject*) {
    const bool entry = !MultiColComboBox1->GetSelectedText().empty();
    const int i = MultiColComboBox1->ItemIndex();
    Delete1->Enabled = entry;
    Rename1->Enabled = entry;
    Repoint1->Enabled = entry;
    MoveUp1->Enabled = entry && i > 0;
    MoveDown1->Enabled = entry && i + 1 < MultiColComboBox1->Items()->Count();
}

std::optional<std::size_t> TMainForm1::StillSelected(const std::string& shown) const {
    const int i = MultiColComboBox1->ItemIndex();
    if (i < 0 || static_cast<std::size_t>(i) >= FList.Count() || FList.ShownEntry(static_cast<std::size_t>(i)) != shown)
        return std::nullopt;
    return static_cast<std::size_t>(i);
}

void TMainForm1::ShowChanged(std::size_t i, std::size_t select) {
    TComboItems* items = MultiColComboBox1->Items();
    items->Delete(static_cast<int>(i));
    items->Insert(static_cast<int>(i), FList.ShownEntry(i));
    MultiColComboBox1->SetItemIndex(static_cast<int>(select));
    MultiColComboBox1Change(this);
}

// The name keeps the entry's place and the rest of its line. The prompt offers the name
// as it is; OK with nothing typed, キャンセル, Esc and the close box all answer empty.
void TMainForm1::Rename1Click(TObject*) {
    const int selected = MultiColComboBox1->ItemIndex();
    if (selected < 0 || static_cast<std::size_t>(selected) >= FList.Count()) return;
    const std::size_t i = static_cast<std::size_t>(selected);
    const std::string shown = FList.ShownEntry(i);
    const std::wstring path = FList.PathOf(i), old = FList.NameOf(i);
    const std::wstring name = AskStorableName(
        [&](const std::wstring& field) { return FServices->AskName(RenamingCaption, path, "", field); }, old,
        [this](std::wstring_view n) { return FList.NameRefusal(n); }, TellRefusal);
    if (name.empty() || name == old) return;
    const std::optional<std::size_t> at = StillSelected(shown);
    if (!at) return;
    FList.Rename(*at, Widen(Label3->Caption()), name);
    ShowChanged(*at, *at);
}

// The folder is taken by the registration's rules; the name stays.
void TMainForm1::Repoint1Click(TObject*) {
    const int selected = MultiColComboBox1->ItemIndex();
    if (selected < 0 || static_cast<std::size_t>(selected) >= FList.Count()) return;
    const std::string shown = FList.ShownEntry(static_cast<std::size_t>(selected));
    const std::wstring real = RealFolderPath(SelectedFolder(), FProgramFolder, ShellQueries::EnvironmentValue);
    const std::wstring path = ChosenFolderPath(PathToStore(FServices->BrowseForFolder(Handle(), real)), TellRefusal);
    if (path.empty()) return;
    const std::optional<std::size_t> at = StillSelected(shown);
    if (!at) return;
    FList.Repoint(*at, Widen(Label3->Caption()), path);
    ShowChanged(*at, *at);
}

void TMainForm1::MoveSelected(std::size_t upper, std::size_t select) {
    FList.MoveDown(upper);
    const UpdateScope update(*MultiColComboBox1->Items());
    ShowChanged(upper, select);
    ShowChanged(upper + 1, select);
}

void TMainForm1::MoveUp1Click(TObject*) {
    const int i = MultiColComboBox1->ItemIndex();
    if (i > 0 && static_cast<std::size_t>(i) < FList.Count())
        MoveSelected(static_cast<std::size_t>(i - 1), static_cast<std::size_t>(i - 1));
}

void TMainForm1::MoveDown1Click(TObject*) {
    const int i = MultiColComboBox1->ItemIndex();
    if (i >= 0 && static_cast<std::size_t>(i) + 1 < FList.Count())
        MoveSelected(static_cast<std::size_t>(i), static_cast<std::size_t>(i + 1));
}

void TMainForm1::WMDropFiles(TMessage& msg) {
    RegisterDrop(
        reinterpret_cast<HDROP>(msg.WParam), [this](const std::wstring& f) { return PathToStore(f); },
        [this](const std::wstring& f) { return AskName(f); },
        [this](const std::wstring& n, const std::wstring& p) { AppendEntry(n, p); }, TellRefusal);
}
