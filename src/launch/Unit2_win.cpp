#include "launch/Unit2.h"
#include "launch/LaunchList.h"
#include "ui/Services_win.h"
#include "launch/ShellExecute.h"

namespace {
constexpr uint32_t kUnderline = 4;
constexpr int kAnsiCharset = 0;
constexpr int kCentred = 2;
constexpr int32_t kClosedByButton = 1;

void Shell(const std::string& target) {
    ShellExecuteLate(target.c_str(), "", nullptr);
}

Control* AboutLabel(Control* form, int left, int top, int width, int height, int fontHeight) {
    // A height of 0 keeps the label's default of 22 pixels.
    Control* label = PlaceScaled(CreateLabel(form, ""), left, top, width, height ? height : 22);
    GraphicTool* font = GetFont(label);
    FontSetName(font, "Times New Roman");
    FontSetHeight(font, fontHeight);
    SetTextAlign(label, kCentred);
    return label;
}

// A label that opens something when clicked: underlined, with the hand pointer.
Control* LinkLabel(Control* label, const char* text, void (*onClick)(void*, BaseObject*),
                   void* data) {
    FontSetStyle(GetFont(label), kUnderline);
    FontSetCharset(GetFont(label), kAnsiCharset);
    SetControlCursor(label, LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
    SetCaption(label, text);
    label->OnClick = MakeEvent(onClick, data);
    return label;
}

void CloseAbout(void* data, BaseObject*) {
    SetModalResult(static_cast<AboutForm*>(data)->form, kClosedByButton);
}
} // namespace

void CreateAboutForm(AboutForm*& record, Control* owner) {
    record = new AboutForm();
    AboutForm* a = record;
    a->form = CreateForm(owner, "About this program");
    // Made while the loop runs, the form would show at once, at the system's place;
    // it shows when the caller opens it, already where it belongs.
    SetVisible(a->form, false);
    SetClientSize(a->form, Px(211), Px(203));
    AddToAutoFree(a->form, a);
    SetStyle(a->form, a->form->style & ~static_cast<uint32_t>(WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

    a->MailLabel = LinkLabel(AboutLabel(a->form, 0, 114, 209, 0, 19), kMakerMail, SendMail, a);
    a->VersionLabel = AboutLabel(a->form, 75, 40, 54, 19, 18);
    FontSetCharset(GetFont(a->VersionLabel), kAnsiCharset);
    a->ProductLabel = AboutLabel(a->form, 0, 13, 209, 31, 26);
    a->WebLabel = LinkLabel(AboutLabel(a->form, 3, 90, 206, 0, 19), kMakerWebPage, OpenWebPage, a);
    a->NoticeLabel = AboutLabel(a->form, 11, 64, 190, 17, 14);
    FontSetCharset(GetFont(a->NoticeLabel), kAnsiCharset);
    SetCaption(a->NoticeLabel, kMakerNotice);
    a->OkButton = PlaceScaled(CreateButton(a->form, "&Ok"), 125, 160, 64, 33);
    FontSetCharset(GetFont(a->OkButton), kAnsiCharset);
    a->HelpButton = PlaceScaled(CreateButton(a->form, "&Help"), 24, 160, 64, 33);
    FontSetCharset(GetFont(a->HelpButton), kAnsiCharset);

    a->HelpButton->OnClick = MakeEvent(OpenHelp, a);
    SetCancelButton(a->HelpButton, true);
    a->OkButton->OnClick = MakeEvent(CloseAbout, a);
    SetDefaultButton(a->OkButton, true);

    SetCaption(a->form, "About this program");
    a->form->currentControl = a->OkButton;

    SetLeft(a->form, ScreenWidth() - (GetWidth(a->form) + Px(100)));
    SetTop(a->form, ScreenHeight() - (GetHeight(a->form) + Px(60)));
    SetCaption(a->ProductLabel, "Para-Vue");
    SetCaption(a->VersionLabel, "v1.2");
}

void OpenWebPage(void*, BaseObject*) {
    Shell(kMakerWebPage);
}

void SendMail(void*, BaseObject*) {
    Shell(kMailLink);
}

void OpenHelp(void* data, BaseObject* sender) {
    Shell(JoinPath(ProgramDir, kHelpFile));
    CloseAbout(data, sender);
}
