// A soak run of paravue.exe against a model of what its user should see.
//
//   soak.exe [SECONDS] [SEED] [verbose] [screens=N]
//
// Drives the real strip with real input, next to stand-in programs (testwins.exe),
// on two screens or on N (2 to 9, set in the registry before the strip starts),
// with actions chosen at random from the seed: switches to the next screen, window
// menu moves both ways (two screens only, for now), moves by the move key, windows opened and
// closed (also while hidden), owned windows, programs that stop answering for a while, programs
// that bring a window hidden on another screen forward (it is this screen's from then on), a
// program kept on every screen by a rule (never hidden, never waited on), and now and then the
// strip ended from outside and started again. At every quiet point (every program answers, the
// strip's waits are over, nothing changes any more) the desktop is held against the model: a window
// that takes part is visible exactly when it belongs to the current screen, it belongs to one
// screen only, and no window is lost; the window that has the input belongs to the current screen
// (or is the desktop, or a form of the strip's own while one is open). A window goes with the
// window that owns it (a group), hidden, shown and moved together. After the final
// quit every window must be visible.
//
// Prints "seed N" first, each violation with the action it follows, and at the end
// one line "N actions, N checks, N violations". Exit code 1 on any violation.
// The same seed replays the same choice of actions.
#include "settings/MiniReg.h"
#include "settings/Settings.h"
#include "settings/Transparency.h"
#include "settings/WindowRules.h"
#include "support/OtherProgram.h"
#include "support/ParavueDriver.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

// A harmless place for the pointer: the desktop left of the stand-ins' windows (they
// cascade from 40, 40) and far from the strip and its menu (bottom right).
constexpr int kParkX = 10, kParkY = 600;
// Quiet: nothing changed on the desktop for this long once every program answers.
// The strip's own waits end after half a second without progress.
constexpr DWORD kQuietMs = 700;
constexpr DWORD kQuietLimitMs = 20000;
constexpr size_t kFewest = 4, kMost = 10; // windows that take part, kept between

enum class Kind {
    TakesPart,    // eligible, visible at first: follows the screens
    StaysVisible, // a tool window or a disabled one: on every screen
    StaysHidden,  // opened hidden: never ours to show
};

struct Tracked {
    HWND hwnd;
    std::string name; // its name in the stand-in program: "a1", "a1#3"
    std::string title;
    size_t program;
    HWND owner; // a tracked window, or 0
    Kind kind;
    int screen = 1;       // the screen a window that takes part belongs to
    bool base = false;    // the first window of its program: never closed, used to reach it
    bool closing = false; // asked to close (or owned by one that was)
    bool gone = false;
    bool dropped = false; // left out of the screen checks after a violation
};

std::string Hex(HWND h) {
    char s[16];
    std::snprintf(s, sizeof s, "%08lx", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(h)));
    return s;
}

bool Visible(HWND w) {
    return IsWindowVisible(w) != FALSE;
}

void Park() {
    MouseMoveTo(kParkX, kParkY);
}

bool MenuOpen() {
    return !TopWindowsOf(0, "#32768").empty();
}

class Soak {
  public:
    Soak(unsigned seed, DWORD seconds, int screens, bool verbose, FILE* trace)
        : rng_(seed), seconds_(seconds), screens_(screens), verbose_(verbose), trace_(trace) {}

    int Run() {
        const bool started = Setup();
        if (started) {
            const DWORD start = GetTickCount();
            while (GetTickCount() - start < seconds_ * 1000) {
                if (!Act()) break;
            }
            Finish();
        } else {
            std::printf("the run could not start\n");
        }
        // The next program started on this desktop finds two screens again.
        app_.reset();
        DeleteRegValue(HKEY_CURRENT_USER, kScreensPath);
        Summary();
        return !started ? 2 : violations_ ? 1 : 0;
    }

  private:
    // ---- set-up and the end ----

    bool Setup() {
        DeleteSettingsKey();
        if (screens_ != 2 && !WriteScreenCount(screens_)) return false;
        RestoreDesktop();
        const std::vector<std::vector<WindowSpec>> programs = {
            {{"a1", "v", "", "Soak A1"},
             {"a2", "v", "a1", "Soak A2 owned by A1"},
             {"a3", "vp", "", "Soak A3 pop-up"},
             {"at", "vt", "", "Soak A tool window"}},
            {{"b1", "v", "", "Soak B1"},
             {"b2", "vs", "", "Soak B2 slow"},
             {"b3", "v", "b1", "Soak B3 owned by B1"},
             {"bd", "vd", "", "Soak B disabled"}},
            {{"c1", "vm", "", "Soak C1 messenger"}, {"c2", "v", "", "Soak C2"}},
            {{"d1", "v", "", "Soak D1 on every screen"}, {"d2", "v", "d1", "Soak D2 owned by D1"}},
        };
        // Program D is kept on every screen by a rule: a copy of the stand-in under a
        // name of its own, whose windows no switch, move or key may hide.
        const std::string everyScreen = "soakboth.exe";
        CopyFileA((TestBinDir() + "testwins.exe").c_str(), (TestBinDir() + everyScreen).c_str(),
                  FALSE);
        WriteRegLines(HKEY_CURRENT_USER, kWindowRulesPath, {everyScreen + "=both"});
        for (size_t p = 0; p < programs.size(); ++p) {
            const bool both = p + 1 == programs.size();
            programs_.push_back(
                std::make_unique<OtherProgram>(programs[p], both ? everyScreen : "testwins.exe"));
            OtherProgram& program = *programs_.back();
            if (!program.started()) return false;
            for (const WindowSpec& spec : programs[p]) {
                Tracked w{};
                w.hwnd = program.Window(spec.name);
                if (!w.hwnd) return false;
                w.name = spec.name;
                w.title = spec.title;
                w.program = p;
                w.owner = spec.owner.empty() ? nullptr : program.Window(spec.owner);
                const bool toolOrDisabled = spec.flags.find_first_of("td") != std::string::npos;
                w.kind = toolOrDisabled || both ? Kind::StaysVisible : Kind::TakesPart;
                w.base = &spec == &programs[p].front();
                windows_.push_back(w);
            }
        }
        layered_ = IsLayeredSupported();
        return StartStrip();
    }

    bool StartStrip() {
        app_ = std::make_unique<Paravue>();
        if (!app_->Start() || !app_->WaitForStrip(10000) ||
            !WaitFor([&] { return app_->SwitchButton() && app_->NumberLabel(); }, 5000)) {
            Violation("paravue.exe did not start");
            return false;
        }
        current_ = 1;
        return true;
    }

    // A run that was killed mid-way may have left the taskbar hidden.
    static void RestoreDesktop() {
        if (HWND t = FindWindowA("Shell_TrayWnd", nullptr); t && !Visible(t))
            ShowWindow(t, SW_SHOW);
        Park();
    }

    void Finish() {
        CloseMenu();
        Note("quit with X");
        if (app_ && app_->Running()) {
            if (HWND x = app_->Button("X")) {
                POINT c = CenterOf(x);
                MouseClick(c.x, c.y);
            }
            Park();
            DWORD code = 0;
            if (!app_->WaitForExit(10000, code))
                Violation("paravue.exe did not end after X");
            else if (code != 0)
                Violation("paravue.exe ended after X with " + ExitText(code));
        }
        app_.reset();
        WaitQuiet();
        ++checks_;
        Forget();
        for (Tracked& w : windows_) {
            if (w.gone) continue;
            const bool want = w.kind != Kind::StaysHidden;
            if (Visible(w.hwnd) != want)
                Violation(Describe(w) + (want ? " is still hidden after the quit"
                                              : " was shown, but it was never visible"));
        }
        RestoreDesktop();
    }

    void Summary() {
        std::printf("%d actions, %d checks, %d violations\n", actions_, checks_, violations_);
        std::fflush(stdout);
    }

    // ---- actions ----

    // One action chosen from the seed. The random numbers are drawn the same way
    // whatever the desktop shows, so that a seed replays the same choices.
    bool Act() {
        CloseMenu();
        ++actions_;
        if (!app_->Running()) {
            NoticeEnd();
            for (Tracked& w : windows_)
                w.screen = 1;
            if (!StartStrip()) return false;
        }
        const int roll = std::uniform_int_distribution<int>(0, 99)(rng_);
        std::uniform_real_distribution<double> u(0.0, 1.0);
        const double r1 = u(rng_), r2 = u(rng_), r3 = u(rng_);
        double r4 = u(rng_);
        bool checked = false;
        if (roll < 28) {
            Switch();
        } else if (roll < 37) {
            checked = screens_ == 2 ? MenuMove(true, r1) : ManyScreensMove(true, r1);
        } else if (roll < 42) {
            checked = KeyMove(r1);
        } else if (roll < 54) {
            checked = screens_ == 2 ? MenuMove(false, r1) : ManyScreensMove(false, r1);
        } else if (roll < 64) {
            if (TakingPart() >= kMost)
                Close(r1);
            else
                Open(r1, r2, r3);
        } else if (roll < 72) {
            if (TakingPart() <= kFewest)
                Open(r1, r2, r3);
            else
                Close(r1);
        } else if (roll < 82) {
            MakeBusy(r1, r2);
        } else if (roll < 86) {
            checked = BringForward(r1, r2 < 0.7);
        } else if (roll < 91) {
            LookAtMenu();
        } else if (roll < 94) {
            if (!KillAndRestart()) return false;
            checked = true;
        } else {
            Note("wait for a quiet point");
            r4 = 0;
        }
        if (!checked && r4 < 0.3) {
            WaitQuiet();
            Check();
        }
        ShowLog();
        return true;
    }

    // The screen the switch button and the move key lead to: the next, after the
    // last the first.
    int Next() const { return current_ % screens_ + 1; }

    // With more than two screens the window menu's items open a submenu of screens;
    // the rolls of the menu moves come here and use the keys: the move key or
    // Ctrl+Alt+Shift with a digit sends a window away, a click on the switch button
    // or Ctrl+Alt with a digit goes on to another screen.
    bool ManyScreensMove(bool away, double r) {
        // A screen other than the one shown, and which way, both from r.
        const double rest = r * 2 - std::floor(r * 2);
        int other = 1 + static_cast<int>(rest * (screens_ - 1));
        if (other >= current_) ++other;
        if (away) return KeyMove(rest, r < 0.5 ? 0 : other);
        Switch(r < 0.5 ? 0 : other);
        return false;
    }

    // To the next screen by a click on the switch button, or straight to screen by
    // its digit key.
    void Switch(int screen = 0) {
        const int to = screen ? screen : Next();
        if (screen) {
            Note("switch to " + std::to_string(to) + " with Ctrl+Alt+" + std::to_string(to));
            PressKeys({VK_CONTROL, VK_MENU}, static_cast<WORD>('0' + to));
        } else {
            Note("switch to " + std::to_string(to));
            HWND button = app_->SwitchButton();
            if (!button) {
                Violation("the strip has no switch button");
                return;
            }
            POINT c = CenterOf(button);
            MouseClick(c.x, c.y);
            Park();
        }
        const std::string want = std::to_string(to);
        if (!WaitFor([&] { return TextOf(app_->NumberLabel()) == want; }, 8000)) {
            Violation("the strip did not switch to screen " + want + " within 8 s; " +
                      Foreground());
            return;
        }
        current_ = to;
        // The next action comes once the windows of the programs that answer are where
        // they belong: a user clicks again after the screen changed, not in the middle.
        WaitFor(
            [&] {
                for (const Tracked& w : windows_)
                    if (Judged(w) && w.kind == Kind::TakesPart && !IsBusy(w.program) &&
                        Visible(w.hwnd) != (w.screen == current_))
                        return false;
                return true;
            },
            1500);
    }

    // Right click on the strip's number; true once the window menu is open. After a
    // menu that was closed without a choice, the strip under Wine lets the next right
    // click pass without a menu; a user clicks again, and so does this.
    bool OpenMenu() {
        for (int attempt = 0; attempt < 2; ++attempt) {
            HWND label = app_->NumberLabel();
            if (!label) break;
            POINT p = CenterOf(label);
            MouseRightClick(p.x, p.y);
            Park();
            if (app_->WaitForMenu(attempt == 0 ? 2000 : 6000)) return true;
            Note("no menu: right click again");
        }
        Violation("the window menu did not open after two right clicks");
        return false;
    }

    // The menu must never stay open between actions, whatever went wrong.
    void CloseMenu() {
        // A click beside the menu closes it whoever has the keyboard; Escape if not.
        for (int i = 0; i < 6 && MenuOpen(); ++i) {
            if (i % 2 == 0) {
                MouseClick(kParkX, kParkY);
            } else {
                PressKey(VK_ESCAPE);
            }
            WaitFor([] { return !MenuOpen(); }, 500);
        }
        if (MenuOpen() && app_ && app_->Running()) {
            // Seen under Wine while programs were busy: the menu took neither keys nor
            // clicks any more. Not a window out of place, so no violation, but said.
            const std::string note = "the window menu stayed open after Enter, Escape and "
                                     "clicks beside it; closed it with WM_CANCELMODE";
            Note(note);
            std::printf("note after action %d: %s\n", actions_, note.c_str());
            // The menu ends when its owner window (a control of the strip) is told so.
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            HWND owner = app_->strip();
            if (GetGUIThreadInfo(GetWindowThreadProcessId(owner, nullptr), &info) &&
                info.hwndMenuOwner)
                owner = info.hwndMenuOwner;
            DWORD_PTR result;
            SendMessageTimeoutA(owner, WM_CANCELMODE, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
            WaitFor([] { return !MenuOpen(); }, 2000);
        }
        if (MenuOpen()) Note("the menu does not close");
        // A key too many in the menu launches the companion program; a launch that
        // failed puts up a message box.
        for (HWND kindlet : TopWindowsOf(0, "Kindlet")) {
            Note("closed Kindlet, launched through the menu");
            PostMessageA(kindlet, WM_CLOSE, 0, 0);
        }
        std::string text;
        if (app_ && app_->Running() && app_->WaitForMessageBox(text, 0)) {
            Note("dismissed a message box: " + text);
            app_->DismissMessageBox();
        }
    }

    void LookAtMenu() {
        Note("open the window menu and close it");
        if (OpenMenu()) CloseMenu();
    }

    // Moves one window through the window menu. Item captions cannot be read from
    // another process, so the item is chosen by its place: the windows shown stand
    // at the top, those of the other screen above the launch item at the end. The
    // model then takes the move from what changed once all is quiet.
    bool MenuMove(bool toOther, double r) {
        const int listed = toOther ? ShownItemsAtLeast() : OtherScreenItemsAtLeast();
        if (listed == 0) {
            Note(toOther ? "menu: nothing to move away" : "menu: nothing to bring back");
            return false;
        }
        const int k = static_cast<int>(r * listed);
        Note(toOther
                 ? "menu: move item " + std::to_string(k + 1) + " from the top to the other screen"
                 : "menu: bring back item " + std::to_string(k + 1) +
                       " from the end of the other screen's");
        // What each window showed before, and '?' where its program may still be busy:
        // there what shows is not yet what was asked for.
        std::string before = Snapshot();
        for (size_t i = 0; i < windows_.size() && i < before.size(); ++i)
            if (IsBusy(windows_[i].program)) before[i] = '?';
        if (!OpenMenu()) {
            CloseMenu();
            return false;
        }
        // A click on the strip gives it the input, but only once the program that had
        // it lets go (a busy one may take a while).
        if (!WaitFor([&] { return ForegroundIsStrip(); }, 4000))
            Note("the strip did not get the keyboard");
        Note("keys go to " + Foreground());
        if (toOther) {
            PressKey(VK_HOME);
            for (int i = 0; i < k; ++i)
                PressKey(VK_DOWN);
        } else {
            // From the end: the greyed line that names the keys (the arrow keys stop
            // on it), "Transparent" (where layered windows exist), "Start with
            // Windows", the launch item, then the separator the arrow keys skip.
            PressKey(VK_END);
            for (int i = 0; i < 1 + (layered_ ? 1 : 0) + 2 + k; ++i)
                PressKey(VK_UP);
        }
        PressKey(VK_RETURN);
        if (!app_->WaitForNoMenu(3000)) Note("the menu stayed open");
        CloseMenu();
        WaitQuiet();
        TakeMenuMove(toOther, before);
        Check();
        return true;
    }

    // Items of the windows shown: a floor from the model and from what is visible,
    // so that going down from the top never reaches past them into the launch item.
    int ShownItemsAtLeast() {
        std::vector<HWND> surely, perhaps;
        for (const Tracked& w : windows_) {
            if (w.gone || !IsWindow(w.hwnd)) continue;
            const bool inModel = w.kind == Kind::TakesPart && !w.dropped && w.screen == current_;
            const bool visible = Visible(w.hwnd);
            if (inModel && visible && !w.closing) surely.push_back(w.hwnd);
            if (inModel || visible) perhaps.push_back(w.hwnd);
        }
        return CountWithoutOwners(surely, perhaps);
    }

    int OtherScreenItemsAtLeast() {
        std::vector<HWND> listed;
        for (const Tracked& w : windows_)
            if (!w.gone && w.kind == Kind::TakesPart && !w.dropped && !w.closing &&
                w.screen != current_ && IsWindow(w.hwnd) && !Visible(w.hwnd))
                listed.push_back(w.hwnd);
        return CountWithoutOwners(listed, listed);
    }

    // A group is listed once, by its main window: a window whose owner is listed
    // has no item of its own.
    int CountWithoutOwners(const std::vector<HWND>& items, const std::vector<HWND>& listed) {
        int n = 0;
        for (HWND item : items)
            n += std::find(listed.begin(), listed.end(), OwnerOf(item)) == listed.end();
        return n;
    }

    size_t TakingPart() const {
        size_t n = 0;
        for (const Tracked& w : windows_)
            if (!w.gone && !w.closing && !w.dropped && w.kind == Kind::TakesPart) ++n;
        return n;
    }

    HWND OwnerOf(HWND hwnd) const {
        for (const Tracked& w : windows_)
            if (w.hwnd == hwnd) return w.owner;
        return nullptr;
    }

    Tracked* Find(HWND hwnd) {
        for (Tracked& w : windows_)
            if (w.hwnd == hwnd && !w.gone) return &w;
        return nullptr;
    }

    // The menu moved one window (with its owner) across, or brought one back. Of the
    // windows that differ from the model, the one whose move explains the most is
    // taken as the move; whatever else differs, the check then reports.
    void TakeMenuMove(bool toOther, const std::string& before) {
        Forget();
        // Only a window that changed while the menu was at work can be its move (or one
        // whose program was busy: its pending request may have been overtaken); one
        // that was already wrong before is left to the check.
        auto moved = [&](const Tracked& w) {
            const size_t i = static_cast<size_t>(&w - windows_.data());
            const char was = i < before.size() ? before[i] : 'x';
            const bool expected = w.screen == current_, seen = Visible(w.hwnd);
            const bool changed = was == '?' || seen != (was == 'v');
            return Judged(w) && w.kind == Kind::TakesPart && expected != seen && changed;
        };
        Tracked* best = nullptr;
        int bestScore = 0;
        std::string considered;
        for (Tracked& w : windows_) {
            if (!moved(w)) continue;
            const size_t i = static_cast<size_t>(&w - windows_.data());
            const bool seen = Visible(w.hwnd);
            // The owner going along explains most, then a change seen rather than
            // one perhaps still pending, then the direction the keys aimed at.
            int score = 1;
            if (Tracked* owner = Find(w.owner);
                owner && moved(*owner) && Visible(owner->hwnd) == seen)
                score += 4;
            if (i < before.size() && before[i] != '?') score += 2;
            if (seen != toOther) score += 1;
            considered += " " + w.name + "=" + std::to_string(score);
            if (score > bestScore) {
                bestScore = score;
                best = &w;
            }
        }
        Note("menu: before " + before + ", candidates" + considered);
        if (!best) {
            Note("menu: no window of ours moved");
            return;
        }
        const bool away = best->screen == current_;
        // The whole group goes, both ways: its main window and the windows it owns
        // on the same screen (also one that went there on its own earlier).
        const int from = best->screen;
        const HWND unit = MainOf(*best).hwnd;
        std::vector<Tracked*> group;
        for (Tracked& w : windows_)
            if (Judged(w) && w.kind == Kind::TakesPart && w.screen == from &&
                MainOf(w).hwnd == unit)
                group.push_back(&w);
        // Away is to the next screen, back is to this one.
        const int to = away ? Next() : current_;
        for (Tracked* w : group) {
            Note("menu: " + Describe(*w) +
                 (away ? " went to screen " + std::to_string(to) : " came back"));
            w->screen = to;
        }
    }

    // The main window of w's group: its owner when that takes part on the same
    // screen (the owner's owner, and so on), else w itself.
    Tracked& MainOf(Tracked& w) {
        Tracked* main = &w;
        for (size_t depth = 0; depth < windows_.size(); ++depth) {
            Tracked* owner = Find(main->owner);
            if (!owner || !Judged(*owner) || owner->kind != Kind::TakesPart ||
                owner->screen != w.screen)
                break;
            main = owner;
        }
        return *main;
    }

    void Open(double r1, double r2, double r3) {
        std::vector<Tracked*> sources;
        for (Tracked& w : windows_)
            if (!w.gone && !w.closing && !w.owner && w.kind == Kind::TakesPart && !w.dropped &&
                IsWindow(w.hwnd))
                sources.push_back(&w);
        if (sources.empty()) return;
        Tracked source = *sources[static_cast<size_t>(r1 * sources.size())];
        const bool owned = r2 < 0.35, visible = r3 < 0.9;
        const int n = nextWindow_++;
        Note("open " + source.name + "#" + std::to_string(n) +
             (owned ? ", owned by " + source.name : "") + (visible ? "" : ", hidden"));
        HWND h = programs_[source.program]->Open(source.name, n, owned, visible);
        if (!h) {
            Note("the window did not open");
            return;
        }
        Tracked w{};
        w.hwnd = h;
        w.name = source.name + "#" + std::to_string(n);
        w.title = source.title + " #" + std::to_string(n);
        w.program = source.program;
        w.owner = owned ? source.hwnd : nullptr;
        w.kind = visible ? Kind::TakesPart : Kind::StaysHidden;
        w.screen = current_;
        windows_.push_back(w);
    }

    void Close(double r) {
        std::vector<Tracked*> choices;
        for (Tracked& w : windows_)
            if (!w.gone && !w.closing && !w.base && w.kind != Kind::StaysVisible)
                choices.push_back(&w);
        if (choices.empty()) return;
        Tracked& w = *choices[static_cast<size_t>(r * choices.size())];
        Note("close " + Describe(w) + (Visible(w.hwnd) ? "" : " while hidden"));
        PostMessageA(w.hwnd, WM_APP + 2, 0, 0);
        // Its owned windows go with it.
        w.closing = true;
        for (Tracked& o : windows_)
            if (o.owner == w.hwnd) o.closing = true;
    }

    // Whether program p may still be busy: asked to stop answering for a while, and
    // that while is not over.
    bool IsBusy(size_t p) const { return p < busyUntil_.size() && GetTickCount() < busyUntil_[p]; }

    void MakeBusy(double r1, double r2) {
        const size_t p = static_cast<size_t>(r1 * programs_.size());
        const int ms = 200 + static_cast<int>(r2 * 2800);
        busyUntil_.resize(programs_.size(), 0);
        busyUntil_[p] = GetTickCount() + static_cast<DWORD>(ms) + 300;
        for (const Tracked& w : windows_)
            if (w.base && w.program == p) {
                Note("program " + std::string(1, static_cast<char>('A' + p)) +
                     " stops answering for " + std::to_string(ms) + " ms");
                PostMessageA(w.hwnd, WM_APP + 1, static_cast<WPARAM>(ms), 0);
            }
    }

    // The user works in a window of this screen and sends it away with the move key:
    // its group goes to the next screen, the input to a window that stays. The
    // window is brought to the front by its program first (testwins does it on
    // request); the key acts on whatever has the input when it is pressed.
    bool KeyMove(double r, int screen = 0) {
        // The move key sends the window to the next screen, Ctrl+Alt+Shift with a
        // digit to that screen.
        const int to = screen ? screen : Next();
        std::vector<Tracked*> choices;
        for (Tracked& w : windows_)
            if (Judged(w) && !w.closing && w.kind == Kind::TakesPart && w.screen == current_ &&
                !IsBusy(w.program) && IsWindow(w.hwnd))
                choices.push_back(&w);
        if (choices.empty()) {
            Note("move key: no window here to send away");
            return false;
        }
        Tracked& chosen = *choices[static_cast<size_t>(r * choices.size())];
        PostMessageA(chosen.hwnd, WM_APP + 6, 0, 0);
        if (!WaitFor([&] { return GetForegroundWindow() == chosen.hwnd; }, 2000))
            Note("move key: " + Describe(chosen) + " did not take the input");
        const HWND input = GetForegroundWindow();
        Tracked* w = Find(input);
        Note("move key (to screen " + std::to_string(to) + ") pressed with the input on " +
             (w ? Describe(*w) : Foreground()));
        PressKeys({VK_CONTROL, VK_MENU, VK_SHIFT}, screen ? static_cast<WORD>('0' + to) : VK_SPACE);
        if (w && Judged(*w) && w->kind == Kind::TakesPart && w->screen == current_) {
            // The group is read whole before any of it is moved in the model.
            const HWND unit = MainOf(*w).hwnd;
            std::vector<Tracked*> group;
            for (Tracked& o : windows_)
                if (Judged(o) && o.kind == Kind::TakesPart && o.screen == current_ &&
                    MainOf(o).hwnd == unit)
                    group.push_back(&o);
            for (Tracked* o : group) {
                Note("move key: " + Describe(*o) + " went to screen " + std::to_string(to));
                o->screen = to;
            }
        }
        WaitQuiet();
        Check();
        return true;
    }

    // A program shows one of its windows hidden on another screen, mostly bringing
    // it to the front (a link clicked elsewhere is for it): the window is this
    // screen's from then on. A main window that owns none, of a program that
    // answers: the windows it owns would stay where they are, and a busy program
    // would show it later, on whatever screen is shown then.
    bool BringForward(double r, bool front) {
        std::vector<Tracked*> choices;
        for (Tracked& w : windows_) {
            if (!Judged(w) || w.closing || w.kind != Kind::TakesPart || w.screen == current_ ||
                w.owner || IsBusy(w.program) || !IsWindow(w.hwnd))
                continue;
            bool owns = false;
            for (const Tracked& o : windows_)
                owns = owns || (!o.gone && o.owner == w.hwnd);
            if (!owns) choices.push_back(&w);
        }
        if (choices.empty()) {
            Note("bring forward: no window of another screen to bring");
            return false;
        }
        Tracked& w = *choices[static_cast<size_t>(r * choices.size())];
        Note("its program " + std::string(front ? "brings " : "shows ") + Describe(w) +
             (front ? " forward" : " without the input"));
        PostMessageA(w.hwnd, WM_APP + 6, front ? 0 : 1, 0);
        w.screen = current_;
        WaitQuiet();
        Check();
        return true;
    }

    // Ends paravue.exe from outside (its main process, not its guard): every hidden
    // window must come back; started again, the strip is on screen 1 with all shown.
    bool KillAndRestart() {
        Note("end paravue.exe from outside and start it again");
        const DWORD guard = app_->GuardPid();
        app_->Kill();
        app_.reset();
        current_ = 1;
        for (Tracked& w : windows_)
            w.screen = 1;
        // The guard ends once it has shown every hidden window again.
        if (guard && !WaitFor([&] { return ProcessEnded(guard); }, 10000))
            Note("the guard did not end");
        WaitQuiet();
        Check();
        return StartStrip();
    }

    // ---- quiet points and checks ----

    // Every program answers, the strip too, and nothing changes on the desktop.
    void WaitQuiet() {
        const DWORD start = GetTickCount();
        auto late = [&] { return GetTickCount() - start > kQuietLimitMs; };
        for (const Tracked& w : windows_)
            if (w.base)
                while (!late() && IsWindow(w.hwnd) && !Answers(w.hwnd, 500)) {
                }
        if (app_ && app_->Running())
            while (!late() && IsWindow(app_->strip()) && !Answers(app_->strip(), 500)) {
            }
        std::string last = Snapshot();
        DWORD since = GetTickCount();
        while (!late() && GetTickCount() - since < kQuietMs) {
            Sleep(50);
            std::string now = Snapshot();
            if (now != last) {
                last = now;
                since = GetTickCount();
            }
        }
        if (late()) Note("no quiet point within " + std::to_string(kQuietLimitMs / 1000) + " s");
    }

    std::string Snapshot() const {
        std::string s;
        for (const Tracked& w : windows_)
            s += !IsWindow(w.hwnd) ? 'x' : Visible(w.hwnd) ? 'v' : 'h';
        if (app_ && app_->Running()) s += TextOf(app_->NumberLabel());
        // The input settles too.
        return s + " " + Hex(GetForegroundWindow());
    }

    bool Judged(const Tracked& w) const { return !w.gone && !w.dropped; }

    // Windows that no longer exist leave the model: those we closed quietly, any
    // other one as lost.
    void Forget() {
        for (Tracked& w : windows_) {
            if (w.gone || IsWindow(w.hwnd)) continue;
            w.gone = true;
            if (!w.closing) Violation(Describe(w) + " is lost: it no longer exists");
        }
    }

    void Check() {
        ++checks_;
        if (app_ && !app_->Running()) NoticeEnd();
        Forget();
        ShowState();
        for (Tracked& w : windows_) {
            if (!Judged(w)) continue;
            const bool seen = Visible(w.hwnd);
            std::string fault;
            switch (w.kind) {
            case Kind::TakesPart:
                if (seen && w.screen != current_)
                    fault = " is visible on screen " + std::to_string(current_) +
                            ", but it belongs to screen " + std::to_string(w.screen);
                else if (!seen && w.screen == current_)
                    fault = " is hidden, but it belongs to screen " + std::to_string(w.screen) +
                            ", the current one";
                break;
            case Kind::StaysVisible:
                if (!seen) fault = " was hidden; it belongs to every screen";
                break;
            case Kind::StaysHidden:
                if (seen) fault = " was shown, but it was never visible";
                break;
            }
            if (fault.empty()) continue;
            Violation(Describe(w) + fault);
            // Reported once: from here on the model cannot say where it belongs.
            w.dropped = true;
        }
        if (app_ && app_->Running()) {
            const std::string label = TextOf(app_->NumberLabel());
            if (label != std::to_string(current_))
                Violation("the strip shows screen \"" + label + "\", the model screen " +
                          std::to_string(current_));
            const std::string button = TextOf(app_->SwitchButton());
            if (button != std::to_string(Next()))
                Violation("the switch button reads \"" + button + "\", the next screen is " +
                          std::to_string(Next()));
        }
        CheckInput();
        recent_.clear();
    }

    // The window with the input belongs to the current screen, or is the desktop
    // (the shell's own windows), or a form of the strip's own while it is open
    // (About, a message box); never the strip itself, nor a hidden window.
    void CheckInput() {
        HWND f = GetForegroundWindow();
        if (IsDesktop(f)) return;
        if (const Tracked* w = Find(f)) {
            if (!Judged(*w) || w->kind == Kind::StaysVisible) return;
            if (w->kind == Kind::TakesPart && w->screen == current_ && Visible(f)) return;
            Violation("the input is on " + Describe(*w) + ", " +
                      (w->kind == Kind::StaysHidden
                           ? "a window never shown"
                           : "which belongs to screen " + std::to_string(w->screen)) +
                      ", on screen " + std::to_string(current_));
            return;
        }
        // Another window on view (Kindlet, launched through the menu, or a form
        // of the strip's own) is on this screen; the strip itself never takes it.
        const bool strip = app_ && (f == app_->strip() || f == app_->AppWindow());
        if (!strip && Visible(f)) return;
        Violation("the input is on " + Foreground());
    }

    // ---- reports ----

    // The strip's process is gone without being asked to go: say how it ended,
    // once for each process.
    void NoticeEnd() {
        if (endNoticed_ == app_->pid()) return;
        endNoticed_ = app_->pid();
        DWORD code = 0;
        app_->WaitForExit(0, code);
        Violation("paravue.exe ended by itself with " + ExitText(code));
    }

    // An exit code and what it tells of the end.
    static std::string ExitText(DWORD code) {
        static const struct {
            DWORD code;
            const char* meaning;
        } known[] = {
            {0, "a clean end"},
            {1, "the report of an unhandled error"},
            {3, "abort() past the report"},
            {0xC0000005, "an access violation past the report"},
            {0xC00000FD, "a stack overflow past the report"},
            {0xC0000374, "a damaged heap (the system ends such a process at once)"},
            {0xC0000409, "a fast fail (the system ends such a process at once)"},
            {0xC0000417, "an invalid C runtime parameter past the report"},
        };
        char hex[16];
        std::snprintf(hex, sizeof hex, "%08lx", static_cast<unsigned long>(code));
        std::string text = "exit code " + std::to_string(code) + " (0x" + hex + ")";
        for (const auto& k : known)
            if (k.code == code) return text + ": " + k.meaning;
        return text;
    }

    // For a verbose run: what the stand-ins did since the last check, and each window
    // as seen (+ shown, - hidden) with the screen the model gives it.
    void ShowLog() {
        std::string shows;
        for (size_t p = 0; p < programs_.size(); ++p) {
            std::vector<std::string> log = programs_[p]->Log();
            if (logSeen_.size() <= p) logSeen_.push_back(0);
            for (size_t i = logSeen_[p]; i < log.size(); ++i)
                shows += " " + log[i] + ",";
            logSeen_[p] = log.size();
        }
        if (!shows.empty()) Trace("  log:" + shows);
    }

    void ShowState() {
        ShowLog();
        std::string state;
        for (const Tracked& w : windows_) {
            if (w.gone) continue;
            state += " " + w.name + (Visible(w.hwnd) ? "+" : "-");
            if (w.dropped)
                state += "dropped";
            else if (w.kind == Kind::TakesPart)
                state += std::to_string(w.screen);
        }
        HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
        Trace("  check on screen " + std::to_string(current_) + ":" + state + " taskbar" +
              (taskbar && Visible(taskbar) ? "+" : "-") + "; input on " + Foreground());
    }

    bool ForegroundIsStrip() const {
        DWORD pid = 0;
        GetWindowThreadProcessId(GetForegroundWindow(), &pid);
        return app_ && pid == app_->pid();
    }

    // The window that has the keyboard, and the strip thread's state.
    std::string Foreground() const {
        HWND f = GetForegroundWindow();
        DWORD pid = 0;
        GetWindowThreadProcessId(f, &pid);
        std::string s = ClassOf(f) + " \"" + TextOf(f) + "\" of pid " + std::to_string(pid);
        if (app_) {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            DWORD thread = GetWindowThreadProcessId(app_->strip(), nullptr);
            if (GetGUIThreadInfo(thread, &info))
                s += "; strip thread flags " + std::to_string(info.flags) + " active " +
                     ClassOf(info.hwndActive) + " focus " + ClassOf(info.hwndFocus) + " capture " +
                     ClassOf(info.hwndCapture);
        }
        return s + " (strip pid " + std::to_string(app_ ? app_->pid() : 0) + ")";
    }

    std::string Describe(const Tracked& w) const {
        return "window " + w.name + " \"" + w.title + "\" (" + Hex(w.hwnd) + ")";
    }

    void Note(const std::string& what) {
        const std::string line = "#" + std::to_string(actions_) + " " + what;
        recent_.push_back(line);
        Trace(line);
    }

    void Violation(const std::string& what) {
        ++violations_;
        const std::string line = "violation after action " + std::to_string(actions_) + ": " + what;
        std::printf("%s\n", line.c_str());
        Trace(line, false);
        if (!verbose_ && !recent_.empty()) {
            std::printf("  since the last check:\n");
            for (const std::string& line : recent_)
                std::printf("    %s\n", line.c_str());
            recent_.clear();
        }
        std::fflush(stdout);
    }

    // Every action, what the stand-ins logged and each check, into the trace file (and
    // onto the output in a verbose run).
    void Trace(const std::string& line, bool echo = true) {
        if (trace_) {
            std::fprintf(trace_, "%s\n", line.c_str());
            std::fflush(trace_);
        }
        if (echo && verbose_) {
            std::printf("%s\n", line.c_str());
            std::fflush(stdout);
        }
    }

    std::mt19937 rng_;
    DWORD seconds_;
    int screens_; // as many as the strip is started with
    bool verbose_;
    FILE* trace_; // borrowed
    bool layered_ = false;
    std::vector<std::unique_ptr<OtherProgram>> programs_;
    std::vector<Tracked> windows_;
    std::unique_ptr<Paravue> app_;
    int current_ = 1;
    int actions_ = 0, checks_ = 0, violations_ = 0;
    int nextWindow_ = 1;
    DWORD endNoticed_ = 0;            // the process whose end was reported
    std::vector<std::string> recent_; // what happened since the last check
    std::vector<size_t> logSeen_;     // lines of each stand-in's log shown so far
    std::vector<DWORD> busyUntil_;    // when each stand-in answers again, about
};

} // namespace

int main(int argc, char** argv) {
    const DWORD seconds = argc > 1 ? static_cast<DWORD>(std::strtoul(argv[1], nullptr, 10)) : 60;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10))
                                   : static_cast<unsigned>(GetTickCount());
    bool verbose = false;
    int screens = 2;
    for (int i = 3; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "verbose") {
            verbose = true;
        } else if (arg.rfind("screens=", 0) == 0) {
            screens = std::atoi(arg.c_str() + 8);
        } else {
            std::printf("unknown argument %s\n", arg.c_str());
            return 2;
        }
    }
    if (screens < 2 || screens > 9) {
        std::printf("screens=N takes 2 to 9\n");
        return 2;
    }
    std::printf("seed %u\n", seed);
    if (screens != 2) std::printf("%d screens\n", screens);
    std::fflush(stdout);
    // The trace of the run goes beside the program: what a failing seed did and saw.
    const std::string tracePath = TestBinDir() + "soak-" + std::to_string(seed) +
                                  (screens != 2 ? "-" + std::to_string(screens) + "screens" : "") +
                                  ".log";
    FILE* trace = std::fopen(tracePath.c_str(), "w");
    if (trace) std::printf("trace: %s\n", tracePath.c_str());
    std::fflush(stdout);
    const int code = Soak(seed, seconds, screens, verbose, trace).Run();
    if (trace) std::fclose(trace);
    return code;
}
