// Kindlet, the companion program: a small window for making launch lists. It
// reads and writes lists with the same rules as paravue.exe, and its launch button
// hands the saved list to paravue.exe, which opens the group on the other screen.
//
// Its title holds no "Paravue", so it is an ordinary window that goes with the
// screen it stands on. It is a Unicode window throughout: names of files in any
// script are shown, typed, dropped and saved as they are written.
//
// A list is kept whole (ListDocument): comments, blank lines and untouched
// entries are saved exactly as they were read, and a file that is not text is
// never taken for a list, so it is never overwritten.
//
// "Open this list when Windows starts" is the Run value Para-Vue opening the list
// with the paravue.exe beside Kindlet, the same value the strip's "Start with
// Windows" shows and removes: one list at a time.
#include "errors/Wide_win.h"
#include "kindlet/FileWrite_win.h"
#include "errors/err.h"
#include "launch/LaunchListFile.h"
#include "launch/ListText.h"
#include "ui/GraphicTool.h"
#include "launch/ListDocument.h"
#include "settings/StartWithWindows.h"
#include "ui/Services_win.h"
#include "ui/StringList_win.h"
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <algorithm>
#include <cstdlib>

namespace {

constexpr wchar_t kClass[] = L"Kindlet";
constexpr char kCaption[] = "Kindlet";
constexpr wchar_t kListFilter[] = L"Launch lists (*.txt)\0*.txt\0All files (*.*)\0*.*\0";

enum : int {
    IdList = 100,
    IdParamsLabel,
    IdParams,
    IdSignIn,
    IdNew = 110,
    IdOpen,
    IdSave,
    IdSaveAs,
    IdAdd,
    IdRemove,
    IdUp,
    IdDown,
    IdLaunch,
    IdHelp = 130, // F1
    IdEditPath,   // F2
};

// The keys that reach the buttons' commands from anywhere in the window.
constexpr ACCEL kKeys[] = {
    {FVIRTKEY | FCONTROL, 'N', IdNew},  {FVIRTKEY | FCONTROL, 'O', IdOpen},
    {FVIRTKEY | FCONTROL, 'S', IdSave}, {FVIRTKEY, VK_F1, IdHelp},
    {FVIRTKEY, VK_F2, IdEditPath},
};

struct ButtonSpec {
    int id;
    const char* text;
};
// Top to bottom on the right; a gap before "Add files..." and before "Launch".
constexpr ButtonSpec kButtons[] = {
    {IdNew, "&New"},           {IdOpen, "&Open..."},     {IdSave, "&Save"},
    {IdSaveAs, "Save &as..."}, {IdAdd, "A&dd files..."}, {IdRemove, "&Remove"},
    {IdUp, "Move &up"},        {IdDown, "Move do&wn"},   {IdLaunch, "&Launch group"},
};

struct Kindlet {
    HWND window = nullptr;
    HWND list = nullptr;   // the entries, one line each: file, parameters, missing mark
    HWND params = nullptr; // the parameters of the selected entry
    ListDocument doc;
    std::vector<size_t> rows; // the document line of each row of the list
    std::string path;         // where the list was read from or saved to; "" for a new list
    bool modified = false;
    bool fillingParams = false; // the edit is being set from the selection, not typed in
};

int Message(const Kindlet& k, const std::string& text, UINT type = MB_ICONERROR) {
    return MessageBoxW(k.window, WideText(text), WideText(kCaption), type);
}

std::string ListName(const Kindlet& k) {
    return k.path.empty() ? std::string("Untitled") : FileNamePart(k.path);
}

void UpdateTitle(const Kindlet& k) {
    std::string title = std::string(kCaption) + " - " + ListName(k) + (k.modified ? " *" : "");
    SetWindowTextW(k.window, WideText(title));
}

// Kindlet's own folder, where paravue.exe and the help file are.
std::string OwnFolder() {
    return FileDirPart(GetParam(0));
}

std::string ParavuePath() {
    return JoinPath(OwnFolder(), "paravue.exe");
}

// Checked while the Run value opens this very list with the paravue.exe beside us;
// the strip may have removed it meanwhile, or another list taken its place.
void ShowSignIn(const Kindlet& k) {
    std::string value;
    const bool on = ReadRunValue(value) && RunValueOpens(value, ParavuePath(), k.path);
    CheckDlgButton(k.window, IdSignIn, on ? BST_CHECKED : BST_UNCHECKED);
}

// The title and the sign-in box follow the list.
void SetModified(Kindlet& k, bool modified) {
    k.modified = modified;
    UpdateTitle(k);
    ShowSignIn(k);
}

// The selected rows, top to bottom.
std::vector<int> SelectedRows(const Kindlet& k) {
    std::vector<int> rows;
    for (int i = -1; (i = static_cast<int>(SendMessageA(
                          k.list, LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED))) >= 0;)
        rows.push_back(i);
    return rows;
}

// The one selected row; -1 when none or several are.
int Selected(const Kindlet& k) {
    std::vector<int> rows = SelectedRows(k);
    return rows.size() == 1 ? rows[0] : -1;
}

LaunchEntry& EntryOf(Kindlet& k, int row) {
    return k.doc.lines[k.rows[static_cast<size_t>(row)]].value;
}

void SetItemText(HWND list, int item, int column, const std::string& text) {
    WideText wide(text);
    LVITEMW it{};
    it.iSubItem = column;
    it.pszText = wide.buffer();
    SendMessageW(list, LVM_SETITEMTEXTW, item, reinterpret_cast<LPARAM>(&it));
}

// The buttons and the edit that need a selected entry follow the selection.
void SelectionChanged(Kindlet& k) {
    const std::vector<int> sel = SelectedRows(k);
    const int one = sel.size() == 1 ? sel[0] : -1;
    const int count = static_cast<int>(k.rows.size());
    k.fillingParams = true;
    SetWindowTextW(k.params, WideText(one >= 0 ? EntryOf(k, one).parameters : std::string()));
    k.fillingParams = false;
    EnableWindow(k.params, one >= 0);
    EnableWindow(GetDlgItem(k.window, IdRemove), !sel.empty());
    EnableWindow(GetDlgItem(k.window, IdUp), !sel.empty() && sel.front() > 0);
    EnableWindow(GetDlgItem(k.window, IdDown), !sel.empty() && sel.back() + 1 < count);
    // A button that was just disabled would keep the input where no key reaches
    // anything, not even Tab: it goes back to the list.
    if (HWND focus = GetFocus(); focus && !IsWindowEnabled(focus)) SetFocus(k.list);
}

void Select(Kindlet& k, const std::vector<int>& rows) {
    LVITEMA it{};
    it.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(k.list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&it));
    it.state = LVIS_SELECTED;
    for (int row : rows)
        SendMessageA(k.list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&it));
    if (!rows.empty()) {
        it.state = it.stateMask = LVIS_FOCUSED;
        SendMessageA(k.list, LVM_SETITEMSTATE, rows[0], reinterpret_cast<LPARAM>(&it));
        SendMessageA(k.list, LVM_ENSUREVISIBLE, rows[0], FALSE);
    }
    SelectionChanged(k);
}

void Select(Kindlet& k, int item) {
    Select(k, item >= 0 && item < static_cast<int>(k.rows.size()) ? std::vector<int>{item}
                                                                  : std::vector<int>{});
}

// A file that is not there now is marked on its line: the list still names it,
// and paravue.exe will report it.
void ShowRow(Kindlet& k, int row) {
    const LaunchEntry& e = EntryOf(k, row);
    SetItemText(k.list, row, 0, e.file);
    SetItemText(k.list, row, 1, e.parameters);
    SetItemText(k.list, row, 2, FileExists(e.file) ? "" : "Missing");
}

void FillList(Kindlet& k, const std::vector<int>& select) {
    k.rows = EntryLines(k.doc);
    SendMessageA(k.list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(k.list, LVM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < k.rows.size(); ++i) {
        LVITEMW it{};
        it.iItem = static_cast<int>(i);
        SendMessageW(k.list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it));
        ShowRow(k, static_cast<int>(i));
    }
    SendMessageA(k.list, WM_SETREDRAW, TRUE, 0);
    Select(k, select);
}

void FillList(Kindlet& k, int select) {
    FillList(k, select >= 0 ? std::vector<int>{select} : std::vector<int>{});
}

// How many entries name a file that is not there now; their marks are brought up to date.
size_t MarkMissing(Kindlet& k) {
    size_t missing = 0;
    for (size_t i = 0; i < k.rows.size(); ++i) {
        ShowRow(k, static_cast<int>(i));
        missing += !FileExists(EntryOf(k, static_cast<int>(i)).file);
    }
    return missing;
}

void AddFiles(Kindlet& k, const std::vector<std::string>& files) {
    if (files.empty()) return;
    for (const std::string& f : files)
        AddEntry(k.doc, {f, ""});
    FillList(k, static_cast<int>(EntryLines(k.doc).size()) - 1);
    SetModified(k, true);
}

// ---- files ----

std::string FullPath(const std::string& path) {
    wchar_t full[MAX_PATH * 2];
    const DWORD n = GetFullPathNameW(WideText(path), MAX_PATH * 2, full, nullptr);
    return n > 0 && n < MAX_PATH * 2 ? NarrowText(full, static_cast<int>(n)) : path;
}

bool LoadList(Kindlet& k, const std::string& path) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) {
        Message(k, UnreadableListMessage(path));
        return false;
    }
    ListDocument doc;
    if (!ReadListDocument(
            bytes, [](const std::string& p) { return FileExists(p); }, AnsiToUtf8, Utf8ToAnsi,
            doc)) {
        // Not taken, so a save can never write over it.
        Message(k, "This is not a launch list (not a text file); it was left as it is:\r" + path);
        return false;
    }
    k.doc = std::move(doc);
    // Whole: the file dialogs may change the current folder, and the Run value
    // must name it from anywhere.
    k.path = FullPath(path);
    FillList(k, 0);
    SetModified(k, false);
    return true;
}

bool WriteList(Kindlet& k, const std::string& path) {
    size_t bad = 0;
    std::string problem;
    if (ListDocumentProblem(k.doc, bad, problem)) {
        const auto row = std::find(k.rows.begin(), k.rows.end(), bad) - k.rows.begin();
        Select(k, static_cast<int>(row));
        Message(k, "Entry " + std::to_string(row + 1) + " cannot be saved (" + problem + "):\r" +
                       k.doc.lines[bad].value.file);
        return false;
    }
    // In the form the list was read in; a new list in the code page when it holds
    // every name, so that older versions read it.
    const std::string bytes = ListDocumentBytes(k.doc, Utf8ToAnsi);
    // Written whole beside the list before it takes the list's place: a save that
    // fails on the way leaves the list as it was.
    if (!WriteFileBytes(path, bytes)) {
        Message(k, "Cannot write the launch list:\r" + path);
        return false;
    }
    for (ListLine& line : k.doc.lines)
        line.edited = false;
    k.path = path;
    SetModified(k, false);
    return true;
}

// The standard file dialog; multi-select gives several full paths.
std::vector<std::string> AskFiles(const Kindlet& k, bool save, bool multi, const char* title,
                                  const wchar_t* filter) {
    std::vector<wchar_t> buffer(multi ? 32768 : MAX_PATH, 0);
    if (save) {
        WideText path(k.path);
        std::copy_n(path.data(), std::min(path.size(), buffer.size() - 1), buffer.data());
    }
    WideText title16(title);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = k.window;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrTitle = title16;
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    std::vector<std::string> paths;
    if (save) {
        ofn.lpstrDefExt = L"txt";
        ofn.Flags |= OFN_OVERWRITEPROMPT;
        if (GetSaveFileNameW(&ofn)) paths.push_back(NarrowText(buffer.data()));
        return paths;
    }
    ofn.Flags |= OFN_FILEMUSTEXIST | (multi ? OFN_ALLOWMULTISELECT : 0);
    if (!GetOpenFileNameW(&ofn)) return paths;
    // One file: its full path. Several: the folder, then each name, each ended by
    // a zero, and one more zero at the end.
    const wchar_t* first = buffer.data();
    const wchar_t* name = first + wcslen(first) + 1;
    if (!multi || !*name) {
        paths.push_back(NarrowText(first));
        return paths;
    }
    for (; *name; name += wcslen(name) + 1)
        paths.push_back(JoinPath(NarrowText(first), NarrowText(name)));
    return paths;
}

bool SaveAs(Kindlet& k, const char* title = "Save launch list") {
    std::vector<std::string> path = AskFiles(k, true, false, title, kListFilter);
    return !path.empty() && WriteList(k, path[0]);
}

bool Save(Kindlet& k) {
    return k.path.empty() ? SaveAs(k) : WriteList(k, k.path);
}

// True when the list may be replaced: nothing unsaved, or the user chose.
bool MayDiscard(Kindlet& k) {
    if (!k.modified) return true;
    int answer =
        Message(k, "Save the changes to " + ListName(k) + "?", MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDYES) return Save(k);
    return answer == IDNO;
}

// paravue.exe beside Kindlet; "" when it is not there, and the user is told why
// what was asked cannot be done.
std::string ParavueFor(const Kindlet& k, const char* what) {
    const std::string program = ParavuePath();
    if (FileExists(program)) return program;
    Message(k, std::string(what) +
                   ": paravue.exe must be in Kindlet's folder. Kindlet looked for it here:\r" +
                   program);
    return "";
}

// paravue.exe carries out the saved list: it switches to the other screen and opens
// the files there. Every reason not to go yet is said before anything happens.
void Launch(Kindlet& k) {
    if (k.rows.empty()) {
        Message(k, "There is nothing to launch: the list has no entries.", MB_ICONINFORMATION);
        return;
    }
    const std::string dir = OwnFolder();
    const std::string program = ParavueFor(k, "Cannot launch the group");
    if (program.empty()) return;
    if (const size_t missing = MarkMissing(k)) {
        const std::string count =
            std::to_string(missing) + " of the " + std::to_string(k.rows.size()) + " entries";
        if (Message(k,
                    count + " cannot be found (marked \"Missing\"); paravue.exe will report "
                            "them.\rLaunch the group anyway?",
                    MB_YESNO | MB_ICONWARNING) != IDYES)
            return;
    }
    if (k.path.empty()) {
        if (Message(k, "paravue.exe opens a saved list: the list is saved first.",
                    MB_OKCANCEL | MB_ICONINFORMATION) != IDOK ||
            !SaveAs(k, "Save the list before launching"))
            return;
    } else if (k.modified && !Save(k)) {
        return;
    }
    WideText command("\"" + program + "\" \"" + k.path + "\"");
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(WideText(program), command.buffer(), nullptr, nullptr, FALSE, 0, nullptr,
                        dir.empty() ? nullptr : WideText(dir).data(), &si, &pi)) {
        Message(k, ErrorExecutingMessage(program));
        return;
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

// Turned on, the list is saved first (one never saved asks where, as Save does), so
// that what opens at sign-in is what the user sees; turned off, the value goes.
void ToggleSignIn(Kindlet& k) {
    bool done = true;
    if (IsDlgButtonChecked(k.window, IdSignIn) == BST_CHECKED) {
        done = SetStartWithWindows(false);
    } else {
        const std::string program = ParavueFor(k, "Cannot open the list when Windows starts");
        if (!program.empty() && Save(k)) done = WriteRunValue(RunValueOpening(program, k.path));
    }
    if (!done)
        Message(k, std::string("Cannot change what opens when Windows starts; Windows refused "
                               "the value:\rHKEY_CURRENT_USER\\") +
                       kRunValuePath);
    ShowSignIn(k);
}

void OpenHelp(const Kindlet& k) {
    const std::string help = JoinPath(OwnFolder(), "paravue help.html");
    if (reinterpret_cast<INT_PTR>(ShellExecuteW(k.window, nullptr, WideText(help), nullptr, nullptr,
                                                SW_SHOWNORMAL)) <= 32)
        Message(k, ErrorExecutingMessage(help));
}

// F2 and a double click edit the path in place; LVN_ENDLABELEDIT takes it.
void EditPath(const Kindlet& k) {
    const int row = static_cast<int>(
        SendMessageW(k.list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    if (row < 0) return;
    SetFocus(k.list);
    SendMessageW(k.list, LVM_EDITLABELW, row, 0);
}

void PathEdited(Kindlet& k, int row, const wchar_t* text) {
    if (!text || row < 0) return; // cancelled
    LaunchEntry entry = EntryOf(k, row);
    entry.file = TrimBlanks(NarrowText(text));
    if (entry.file.empty() || entry.file == EntryOf(k, row).file) return;
    if (const std::string problem = LaunchLineProblem(entry); !problem.empty()) {
        Message(k, "This path cannot be saved in a list (" + problem + "):\r" + entry.file);
        return;
    }
    SetEntry(k.doc, k.rows[static_cast<size_t>(row)], entry);
    ShowRow(k, row);
    SetModified(k, true);
}

// The chosen entries, one place up (step -1) or down (+1), as a block: an entry
// whose neighbour is chosen too moves with it. Other lines keep their places.
void MoveRows(Kindlet& k, int step) {
    std::vector<int> sel = SelectedRows(k);
    const int count = static_cast<int>(k.rows.size());
    if (sel.empty() || sel.front() + step < 0 || sel.back() + step >= count) return;
    if (step > 0) std::reverse(sel.begin(), sel.end());
    for (int& row : sel) {
        SwapLines(k.doc, k.rows[static_cast<size_t>(row)], k.rows[static_cast<size_t>(row + step)]);
        row += step;
    }
    if (step > 0) std::reverse(sel.begin(), sel.end());
    FillList(k, sel);
    SetModified(k, true);
}

void RemoveRows(Kindlet& k) {
    const std::vector<int> sel = SelectedRows(k);
    if (sel.empty()) return;
    for (auto row = sel.rbegin(); row != sel.rend(); ++row)
        RemoveLine(k.doc, k.rows[static_cast<size_t>(*row)]);
    FillList(k, std::min(sel.front(), static_cast<int>(EntryLines(k.doc).size()) - 1));
    SetModified(k, true);
}

void DropFiles(Kindlet& k, HDROP drop) {
    std::vector<std::string> files;
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::vector<wchar_t> name(DragQueryFileW(drop, i, nullptr, 0) + 1, 0);
        UINT n = DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size()));
        const std::string file = NarrowText(name.data(), static_cast<int>(n));
        // Folders cannot be carried out by a list: paravue.exe opens files only.
        if (n > 0 && FileExists(file)) files.push_back(file);
    }
    DragFinish(drop);
    AddFiles(k, files);
}

// ---- the window ----

void Layout(const Kindlet& k, int width, int height) {
    // Sizes of the 96-dpi layout, at the screen's scale.
    const int kMargin = Px(8), kButtonW = Px(100), kButtonH = Px(24), kRow = Px(22);
    const int listW = width - 3 * kMargin - kButtonW;
    // Below the list the parameters, then the sign-in box.
    const int checkTop = height - kMargin - kRow;
    const int rowTop = checkTop - Px(4) - kRow;
    MoveWindow(k.list, kMargin, kMargin, listW, rowTop - 2 * kMargin, TRUE);
    MoveWindow(GetDlgItem(k.window, IdParamsLabel), kMargin, rowTop + Px(3), Px(70), kRow - Px(3),
               TRUE);
    MoveWindow(k.params, kMargin + Px(72), rowTop, listW - Px(72), kRow, TRUE);
    MoveWindow(GetDlgItem(k.window, IdSignIn), kMargin, checkTop, listW, kRow, TRUE);
    int y = kMargin;
    for (const ButtonSpec& b : kButtons) {
        if (b.id == IdAdd || b.id == IdLaunch) y += kMargin;
        if (b.id == IdLaunch) y = height - kMargin - kButtonH;
        MoveWindow(GetDlgItem(k.window, b.id), width - kMargin - kButtonW, y, kButtonW, kButtonH,
                   TRUE);
        y += kButtonH + Px(4);
    }
}

void CreateChildren(Kindlet& k) {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    auto child = [&](const wchar_t* cls, const char* text, DWORD style, DWORD exStyle, int id) {
        HWND w = CreateWindowExW(exStyle, cls, WideText(text), WS_CHILD | WS_VISIBLE | style, 0, 0,
                                 10, 10, k.window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), inst, nullptr);
        SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return w;
    };
    k.list = child(WC_LISTVIEWW, "",
                   WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | LVS_EDITLABELS,
                   WS_EX_CLIENTEDGE, IdList);
    SendMessageW(k.list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    const struct {
        const wchar_t* title;
        int width;
    } columns[] = {{L"File", 250}, {L"Parameters", 105}, {L"Status", 60}};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNW c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH;
        c.pszText = const_cast<wchar_t*>(columns[i].title);
        c.cx = Px(columns[i].width);
        SendMessageW(k.list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&c));
    }
    child(L"STATIC", "&Parameters:", 0, 0, IdParamsLabel);
    k.params = child(L"EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, IdParams);
    child(L"BUTTON", "Open this list when Windows s&tarts", WS_TABSTOP | BS_CHECKBOX, 0, IdSignIn);
    for (const ButtonSpec& b : kButtons)
        child(L"BUTTON", b.text, WS_TABSTOP | BS_PUSHBUTTON, 0, b.id);
}

void Command(Kindlet& k, int id, int code) {
    switch (id) {
    case IdParams:
        if (code == EN_CHANGE && !k.fillingParams) {
            int sel = Selected(k);
            if (sel < 0) return;
            LaunchEntry entry = EntryOf(k, sel);
            // Blanks around the parameters mean nothing to the reader, so none are kept.
            entry.parameters = TrimBlanks(WindowTitle(k.params));
            if (entry == EntryOf(k, sel)) return;
            SetEntry(k.doc, k.rows[static_cast<size_t>(sel)], entry);
            ShowRow(k, sel);
            SetModified(k, true);
        }
        return;
    case IDOK: // Enter: in the parameter box it is applied already; back to the list
        if (GetFocus() == k.params) SetFocus(k.list);
        return;
    case IdSignIn:
        if (code == BN_CLICKED) ToggleSignIn(k);
        return;
    case IdHelp:
        OpenHelp(k);
        return;
    case IdEditPath:
        EditPath(k);
        return;
    case IdNew:
        if (!MayDiscard(k)) return;
        k.doc = {};
        k.path.clear();
        FillList(k, -1);
        SetModified(k, false);
        return;
    case IdOpen:
        if (MayDiscard(k)) {
            std::vector<std::string> path =
                AskFiles(k, false, false, "Open launch list", kListFilter);
            if (!path.empty()) LoadList(k, path[0]);
        }
        return;
    case IdSave:
        Save(k);
        return;
    case IdSaveAs:
        SaveAs(k);
        return;
    case IdAdd:
        AddFiles(k, AskFiles(k, false, true, "Add files", L"All files (*.*)\0*.*\0"));
        return;
    case IdRemove:
        RemoveRows(k);
        return;
    case IdUp:
    case IdDown:
        MoveRows(k, id == IdUp ? -1 : 1);
        // The input stays with the entries it moves, so the next key moves them again.
        SetFocus(k.list);
        return;
    case IdLaunch:
        Launch(k);
        return;
    }
}

LRESULT HandleMessage(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    auto* k = reinterpret_cast<Kindlet*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        k = static_cast<Kindlet*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        k->window = w;
        SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(k));
    }
    if (!k) return DefWindowProcW(w, msg, wp, lp);
    switch (msg) {
    case WM_CREATE:
        CreateChildren(*k);
        DragAcceptFiles(w, TRUE);
        return 0;
    case WM_SIZE:
        Layout(*k, LOWORD(lp), HIWORD(lp));
        return 0;
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = {420, 330};
        return 0;
    case WM_SETFOCUS:
        SetFocus(k->list);
        return 0;
    case WM_COMMAND:
        Command(*k, LOWORD(wp), HIWORD(wp));
        return 0;
    case WM_NOTIFY: {
        auto* n = reinterpret_cast<NMHDR*>(lp);
        if (n->idFrom != IdList) return 0;
        switch (n->code) {
        case LVN_ITEMCHANGED:
            if (reinterpret_cast<NMLISTVIEW*>(lp)->uChanged & LVIF_STATE) SelectionChanged(*k);
            break;
        case LVN_KEYDOWN:
            if (reinterpret_cast<NMLVKEYDOWN*>(lp)->wVKey == VK_DELETE) RemoveRows(*k);
            break;
        case NM_DBLCLK:
            EditPath(*k);
            break;
        case LVN_ENDLABELEDITW: {
            const LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(lp)->item;
            PathEdited(*k, item.iItem, item.pszText);
            return FALSE; // the row shows what was taken, set above
        }
        }
        return 0;
    }
    case WM_NEXTDLGCTL:
        // What a dialog does for the underlined letter of a label: the input goes
        // to the control after it ("&Parameters:" to its box).
        if (lp)
            SetFocus(reinterpret_cast<HWND>(wp));
        else
            SetFocus(GetNextDlgTabItem(w, GetFocus(), wp != 0));
        return 0;
    case WM_ACTIVATE:
        // Files may have come or gone while another program had the input, and
        // the strip may have changed what opens when Windows starts.
        if (LOWORD(wp) != WA_INACTIVE) {
            MarkMissing(*k);
            ShowSignIn(*k);
        }
        break;
    case WM_DROPFILES:
        DropFiles(*k, reinterpret_cast<HDROP>(wp));
        return 0;
    case WM_CLOSE:
        if (MayDiscard(*k)) DestroyWindow(w);
        return 0;
    case WM_QUERYENDSESSION:
        return MayDiscard(*k);
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

LRESULT CALLBACK WindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    // No error crosses into the system's code: what nobody handled is reported
    // and ends the program, as in paravue.exe.
    return err::Guarded([&] { return HandleMessage(w, msg, wp, lp); });
}

} // namespace

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int show) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = inst;
    wc.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));     // IDI_APPLICATION
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);

    Kindlet k;
    if (!CreateWindowExW(0, kClass, kClass, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                         CW_USEDEFAULT, Px(560), Px(360), nullptr, nullptr, inst, &k))
        return 1;
    FillList(k, -1);
    SetModified(k, false);
    ShowWindow(k.window, show);
    // A list named on the command line, as paravue.exe takes one.
    if (GetParamCount() > 0) LoadList(k, CommandLineFile());

    HACCEL keys = CreateAcceleratorTableW(const_cast<ACCEL*>(kKeys), std::size(kKeys));
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorW(k.window, keys, &msg)) continue;
        if (IsDialogMessageW(k.window, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DestroyAcceleratorTable(keys);
    return static_cast<int>(msg.wParam);
}
