#include "app/Unit1.h"
#include "app/StripPlacement.h"
#include "launch/LaunchList.h"
#include "screens/HiddenRecord.h"
#include "screens/ScreenModel.h"
#include "screens/Switching.h"
#include "screens/WindowMenu.h"
#include "screens/QuitRestore.h"
#include "settings/Settings.h"
#include "settings/ToolTip1.h"
#include "settings/Transparency.h"
#include "app/MainInteraction.h"
#include "ui/Services_win.h"

MainForm* MainFormRecord;

MainForm::~MainForm() {
    if (MainFormRecord == this) MainFormRecord = nullptr;
}

namespace {
// The strip's colours and the look of its controls.
constexpr uint32_t kPanelColor = 0x00FFC890; // light blue
constexpr uint32_t kFontBold = 1;
constexpr int kAnsiCharset = 0;

Control* BoldControl(Control* c) {
    FontSetStyle(GetFont(c), kFontBold);
    FontSetCharset(GetFont(c), kAnsiCharset);
    return c;
}

// Made on demand: the strip may create or re-create its window after this is set.
void* StripAlphaWindow(void*) {
    return MainFormRecord ? GetHandle(MainFormRecord->form) : nullptr;
}

void SwitchFromLaunchList(void* data) {
    SwitchScreen(data, nullptr);
}
void ProcessAppMessages(void*) {
    ProcessMessages(ApplicationObject);
}

} // namespace

HWND StripWindow() {
    return MainFormRecord && MainFormRecord->form ? MainFormRecord->form->handle : nullptr;
}

LaunchHooks StripLaunchHooks(MainForm* s) {
    return {SwitchFromLaunchList, ProcessAppMessages, s};
}

void HideTaskbarButton() {
    HWND app = ApplicationObject->handle;
    ShowWindow(app, SW_HIDE);
    SetWindowLongA(app, GWL_EXSTYLE, GetWindowLongA(app, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
    ShowWindow(app, SW_SHOWNA);
}

void HideApplicationWindow(void* data, BaseObject*) {
    auto* s = static_cast<MainForm*>(data);
    TimerSetEnabled(s->TaskbarHideTimer, false);
    // The first tick may come only during the pause at the end of a log-off,
    // when the application object is already gone.
    if (ApplicationObject) ShowWindow(ApplicationObject->handle, SW_HIDE);
    // The strip is up: now the guard may start without delaying it.
    if (Screens.Ended) return;
    FitStripToInputAtStart();
    StartGuard();
}

void BuildMainForm(MainForm*& record, Control* app) {
    record = new MainForm();
    MainForm* s = record;
    // Translucency and the launch list find the strip through the program-wide
    // reference, whatever variable the caller keeps the record in.
    MainFormRecord = s;
    // Neither the strip nor the application window ever takes the input: a start,
    // a click or a drag leaves it where the user had it.
    app->exStyle |= WS_EX_NOACTIVATE;
    s->form = CreateForm(app, "sd");
    s->form->exStyle |= WS_EX_NOACTIVATE;
    AddToAutoFree(s->form, s);
    SetHasBorder(s->form, false);
    SetStayOnTop(s->form, true);
    app->OnDestroy = MakeEvent(RestoreAll, s);

    s->TaskbarHideTimer = CreateTimer(100);
    AddToAutoFree(s->form, s->TaskbarHideTimer);
    s->TaskbarHideTimer->OnTimer = MakeEvent(HideApplicationWindow, s);

    s->DragPanel = CreatePanel(s->form, 2);
    SetAlign(s->DragPanel, DockClient);
    SetColor(s->DragPanel, kPanelColor);

    s->ScreenNumberLabel = CreateLabel(s->DragPanel, "");
    SetSize(SetPosition(s->ScreenNumberLabel, 28, 1), 19, 20);
    SetTextAlign(BoldControl(s->ScreenNumberLabel), 2);
    s->SwitchButton =
        BoldControl(SetSize(SetPosition(CreateButton(s->DragPanel, ""), 0, 0), 28, 20));
    s->AboutButton =
        BoldControl(SetSize(SetPosition(CreateButton(s->DragPanel, "?"), 47, 0), 24, 20));
    s->QuitButton =
        BoldControl(SetSize(SetPosition(CreateButton(s->DragPanel, "X"), 71, 0), 24, 20));

    SetOnMouseDown(s->ScreenNumberLabel, MainFormMouseDown, s);
    s->SwitchButton->OnClick = MakeEvent(SwitchScreen, s);
    SetOnMouseDown(s->SwitchButton, MainFormMouseDown, s);
    s->AboutButton->OnClick = MakeEvent(AboutButtonClick, s);
    SetOnMouseDown(s->AboutButton, MainFormMouseDown, s);
    s->QuitButton->OnClick = MakeEvent(QuitButtonClick, s);
    SetOnMouseDown(s->QuitButton, MainFormMouseDown, s);
    SetOnMouseDown(s->DragPanel, MainFormMouseDown, s);

    InitMainForm(s);
}

void InitMainForm(MainForm* s) {
    Control* form = s->form;
    CreateWindowMenu(s->DragPanel);
    HideTaskbarButton();

    Screens.Reset(ReadScreenCount());
    const StripTexts texts = Screens.Texts();
    s->ToolTipWindow = CreateToolTipWindow(GetHandle(ApplicationObject), GetModuleHandleA(nullptr));
    SetToolTip(s->ToolTipWindow, GetHandle(s->SwitchButton), texts.switchHint.c_str());
    SetToolTip(s->ToolTipWindow, GetHandle(s->AboutButton), " About Para-Vue ");
    SetToolTip(s->ToolTipWindow, GetHandle(s->QuitButton), " Quit and restore all applications ");
    SetToolTip(s->ToolTipWindow, GetHandle(s->DragPanel), " Drag here to move ");
    SetToolTip(s->ToolTipWindow, GetHandle(s->ScreenNumberLabel),
               " Current screen number. Drag here to move ");

    LayeredSupported = IsLayeredSupported();

    PlaceStripAtStart(s);
    SetCaption(s->SwitchButton, texts.switchCaption.c_str());
    SetCaption(s->ScreenNumberLabel, texts.number.c_str());
    ProgramDir = FileDirPart(GetParam(0));

    FormPosition position(form);
    LoadSettings(position);
    KeepStripOnMonitors(s);

    if (GetParamCount() > 0) {
        RunLaunchList(CommandLineFile(), StripLaunchHooks(s));
    }
    TimerSetEnabled(s->TaskbarHideTimer, true);
    SetAlphaWindowSource(StripAlphaWindow, nullptr);
    if (TransparencyOn) ApplyTransparency();
}
