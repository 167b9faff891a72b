// Kindlet, the companion program: a small window for making launch lists. It
// reads and writes lists with the same rules as paravue.exe, and its launch button
// hands the saved list to paravue.exe, which opens the group on the other screen.
//
// Its title holds no "Paravue", so it is an ordinary window that goes with the
// screen it stands on. It is a Unicode window throughout: names of files in any
// script are shown, typed, dropped and saved as they are written.
#include "errors/Wide_win.h"
#include "errors/err.h"
#include "launch/LaunchListFile.h"
#include "launch/ListText.h"
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
    IdNew = 110,
    IdOpen,
    IdSave,
    IdSaveAs,
    IdAdd,
    IdRemove,
    IdUp,
    IdDown,
    IdLaunch,
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
    HWND list = nullptr;   // the entries, one line each: file and parameters
    HWND params = nullptr; // the parameters of the selected entry
    std::vector<LaunchEntry> entries;
    std::string path; // where the list was read from or saved to; "" for a new list
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

void SetModified(Kindlet& k, bool modified) {
    k.modified = modified;
    UpdateTitle(k);
}

int Selected(const Kindlet& k) {
    return static_cast<int>(
        SendMessageA(k.list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
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
    int sel = Selected(k);
    int count = static_cast<int>(k.entries.size());
    k.fillingParams = true;
    SetWindowTextW(k.params, WideText(sel >= 0 ? k.entries[sel].parameters : std::string()));
    k.fillingParams = false;
    EnableWindow(k.params, sel >= 0);
    EnableWindow(GetDlgItem(k.window, IdRemove), sel >= 0);
    EnableWindow(GetDlgItem(k.window, IdUp), sel > 0);
    EnableWindow(GetDlgItem(k.window, IdDown), sel >= 0 && sel + 1 < count);
    EnableWindow(GetDlgItem(k.window, IdLaunch), count > 0);
}

void Select(Kindlet& k, int item) {
    LVITEMA it{};
    it.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    it.state = item >= 0 ? it.stateMask : 0;
    SendMessageA(k.list, LVM_SETITEMSTATE, item >= 0 ? item : -1, reinterpret_cast<LPARAM>(&it));
    if (item >= 0) SendMessageA(k.list, LVM_ENSUREVISIBLE, item, FALSE);
    SelectionChanged(k);
}

void FillList(Kindlet& k, int select) {
    SendMessageA(k.list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(k.list, LVM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < k.entries.size(); ++i) {
        WideText file(k.entries[i].file);
        LVITEMW it{};
        it.mask = LVIF_TEXT;
        it.iItem = static_cast<int>(i);
        it.pszText = file.buffer();
        SendMessageW(k.list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it));
        SetItemText(k.list, static_cast<int>(i), 1, k.entries[i].parameters);
    }
    SendMessageA(k.list, WM_SETREDRAW, TRUE, 0);
    Select(k, select < static_cast<int>(k.entries.size()) ? select : -1);
}

void AddFiles(Kindlet& k, const std::vector<std::string>& files) {
    if (files.empty()) return;
    for (const std::string& f : files)
        k.entries.push_back({f, ""});
    FillList(k, static_cast<int>(k.entries.size()) - 1);
    SetModified(k, true);
}

// ---- files ----

bool LoadList(Kindlet& k, const std::string& path) {
    std::vector<std::string> text;
    if (!ReadLaunchListLines(path, text)) {
        Message(k, "Cannot read the launch list:\r" + path);
        return false;
    }
    k.entries = ReadLaunchEntries(text, [](const std::string& p) { return FileExists(p); });
    k.path = path;
    FillList(k, k.entries.empty() ? -1 : 0);
    SetModified(k, false);
    return true;
}

bool WriteList(Kindlet& k, const std::string& path) {
    std::string text, problem;
    size_t bad = 0;
    if (!FormatLaunchList(k.entries, text, bad, problem)) {
        Select(k, static_cast<int>(bad));
        Message(k, "Entry " + std::to_string(bad + 1) + " cannot be saved (" + problem + "):\r" +
                       k.entries[bad].file);
        return false;
    }
    // In the code page when it holds every name, so that older versions read it.
    if (!WriteFileBytes(path, EncodeListText(text, Utf8ToAnsi))) {
        Message(k, "Cannot write the launch list:\r" + path);
        return false;
    }
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

bool SaveAs(Kindlet& k) {
    std::vector<std::string> path = AskFiles(k, true, false, "Save launch list", kListFilter);
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

// paravue.exe carries out the saved list: it switches to the other screen and opens
// the files there.
void Launch(Kindlet& k) {
    if (k.entries.empty()) return;
    if ((k.modified || k.path.empty()) && !Save(k)) return;
    std::string dir = FileDirPart(GetParam(0));
    std::string program = JoinPath(dir, "paravue.exe");
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
    constexpr int kMargin = 8, kButtonW = 100, kButtonH = 24, kRow = 22;
    const int listW = width - 3 * kMargin - kButtonW;
    const int listH = height - 3 * kMargin - kRow;
    MoveWindow(k.list, kMargin, kMargin, listW, listH, TRUE);
    const int rowTop = height - kMargin - kRow;
    MoveWindow(GetDlgItem(k.window, IdParamsLabel), kMargin, rowTop + 3, 70, kRow - 3, TRUE);
    MoveWindow(k.params, kMargin + 72, rowTop, listW - 72, kRow, TRUE);
    int y = kMargin;
    for (const ButtonSpec& b : kButtons) {
        if (b.id == IdAdd || b.id == IdLaunch) y += kMargin;
        if (b.id == IdLaunch) y = height - kMargin - kButtonH;
        MoveWindow(GetDlgItem(k.window, b.id), width - kMargin - kButtonW, y, kButtonW, kButtonH,
                   TRUE);
        y += kButtonH + 4;
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
                   WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                   WS_EX_CLIENTEDGE, IdList);
    SendMessageW(k.list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    const struct {
        const wchar_t* title;
        int width;
    } columns[] = {{L"File", 300}, {L"Parameters", 120}};
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNW c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH;
        c.pszText = const_cast<wchar_t*>(columns[i].title);
        c.cx = columns[i].width;
        SendMessageW(k.list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&c));
    }
    child(L"STATIC", "&Parameters:", 0, 0, IdParamsLabel);
    k.params = child(L"EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, IdParams);
    for (const ButtonSpec& b : kButtons)
        child(L"BUTTON", b.text, WS_TABSTOP | BS_PUSHBUTTON, 0, b.id);
}

void Command(Kindlet& k, int id, int code) {
    switch (id) {
    case IdParams:
        if (code == EN_CHANGE && !k.fillingParams) {
            int sel = Selected(k);
            if (sel < 0) return;
            const std::string text = WindowTitle(k.params);
            // Blanks around the parameters mean nothing to the reader, so none are kept.
            k.entries[sel].parameters = TrimBlanks(text);
            SetItemText(k.list, sel, 1, k.entries[sel].parameters);
            SetModified(k, true);
        }
        return;
    case IdNew:
        if (!MayDiscard(k)) return;
        k.entries.clear();
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
    case IdUp:
    case IdDown: {
        int sel = Selected(k);
        if (sel < 0) return;
        if (id == IdRemove) {
            k.entries.erase(k.entries.begin() + sel);
            FillList(k, sel < static_cast<int>(k.entries.size()) ? sel : sel - 1);
        } else {
            int to = id == IdUp ? sel - 1 : sel + 1;
            if (to < 0 || to >= static_cast<int>(k.entries.size())) return;
            std::swap(k.entries[sel], k.entries[to]);
            FillList(k, to);
        }
        SetModified(k, true);
        return;
    }
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
        if (n->idFrom == IdList && n->code == LVN_ITEMCHANGED &&
            (reinterpret_cast<NMLISTVIEW*>(lp)->uChanged & LVIF_STATE))
            SelectionChanged(*k);
        return 0;
    }
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
                         CW_USEDEFAULT, 560, 360, nullptr, nullptr, inst, &k))
        return 1;
    FillList(k, -1);
    SetModified(k, false);
    ShowWindow(k.window, show);
    // A list named on the command line, as paravue.exe takes one.
    if (GetParamCount() > 0) LoadList(k, CommandLineFile());

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(k.window, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
