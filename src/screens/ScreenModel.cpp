#include "screens/ScreenModel.h"
#include "screens/MoveCaptions.h"
#include <algorithm>

ScreenModel Screens;

void ScreenModel::Reset(int screens) {
    count_ = std::clamp(screens, kMinScreens, kMaxScreens);
    entries_.clear();
    refused_.clear();
    asking_.clear();
    Pending = {};
    current_ = 1;
    Ended = false;
    Switching = false;
}

std::vector<WindowEntry> ScreenModel::List(int screen) const {
    std::vector<WindowEntry> list;
    for (const WindowEntry& e : entries_)
        if (e.Screen == screen) list.push_back(e);
    return list;
}

const WindowEntry* ScreenModel::Find(uintptr_t window) const {
    for (const WindowEntry& e : entries_)
        if (e.Handle == window) return &e;
    return nullptr;
}

int ScreenModel::ScreenOf(uintptr_t window) const {
    const WindowEntry* e = Find(window);
    return e ? e->Screen : 0;
}

std::vector<WindowEntry> ScreenModel::TakeOut(int screen, uintptr_t main) {
    std::vector<WindowEntry> out;
    size_t kept = 0;
    for (size_t i = 0; i < entries_.size(); ++i) {
        WindowEntry& e = entries_[i];
        if (e.Screen == screen && (!main || e.Main == main))
            out.push_back(std::move(e));
        else if (kept++ != i)
            entries_[kept - 1] = std::move(e);
    }
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(kept), entries_.end());
    return out;
}

bool ScreenModel::Forget(uintptr_t window) {
    const WindowEntry* e = Find(window);
    if (!e) return false;
    entries_.erase(entries_.begin() + (e - entries_.data()));
    return true;
}

void ScreenModel::Remember(int screen, const ShownWindow& w, uintptr_t input) {
    // A window belongs to one screen at a time.
    Forget(w.Handle);
    entries_.push_back(
        {w.Handle, w.Main ? w.Main : w.Handle, 0, w.Handle == input, w.Title, screen});
}

std::vector<uintptr_t> ScreenModel::RecordCurrent(const std::vector<ShownWindow>& shown,
                                                  uintptr_t input) {
    TakeOut(current_);
    std::vector<uintptr_t> hide;
    for (const ShownWindow& w : shown) {
        if (IsRefused(w.Handle)) continue;
        Remember(current_, w, input);
        hide.push_back(w.Handle);
    }
    return hide;
}

SwitchPlan ScreenModel::PlanSwitch(int target, const std::vector<ShownWindow>& shown,
                                   uintptr_t input) {
    SwitchPlan plan;
    if (Ended || !IsScreen(target) || target == current_) return plan;
    plan.from = current_;
    plan.to = target;
    plan.hide = RecordCurrent(shown, input);
    current_ = target;
    plan.show = TakeOut(target);
    plan.input = InputCandidates(plan.show);
    StopAsking(0);
    return plan;
}

MovePlan ScreenModel::MoveGroup(uintptr_t main, int target, const std::vector<ShownWindow>& group,
                                uintptr_t input) {
    MovePlan plan;
    if (Ended || !IsScreen(target)) return plan;
    const int from = ScreenOf(main);
    if (from == target) return plan;
    if (from == 0) {
        // On the screen shown: remembered for target and hidden, as a switch takes it.
        if (target == current_) return plan;
        for (const ShownWindow& w : group) {
            if (IsRefused(w.Handle)) continue;
            Remember(target, w, input);
            plan.hide.push_back(w.Handle);
        }
        return plan;
    }
    // Who owns whom may have changed since the group was hidden: the members found
    // now (group, when given) go with their main window.
    for (const ShownWindow& w : group)
        for (WindowEntry& e : entries_)
            if (e.Handle == w.Handle && e.Screen == from) e.Main = main;
    if (target == current_) {
        plan.show = TakeOut(from, main);
        StopAsking(0);
    } else {
        // From one hidden screen to another: nothing changes on the desktop. The
        // group goes on top of its new screen, as a group sent from this one does.
        for (WindowEntry& e : TakeOut(from, main)) {
            e.Screen = target;
            entries_.push_back(std::move(e));
        }
    }
    return plan;
}

SwitchPlan ScreenModel::SetCount(int count) {
    SwitchPlan plan;
    if (Ended) return plan;
    plan.from = current_;
    count_ = std::clamp(count, kMinScreens, kMaxScreens);
    current_ = std::min(current_, count_);
    plan.to = current_;
    // Bottom first: the last screen left under the windows of the screens that went.
    if (plan.from != current_) plan.show = TakeOut(current_);
    for (int s = count_ + 1; s <= kMaxScreens; ++s)
        for (WindowEntry& e : TakeOut(s))
            plan.show.push_back(std::move(e));
    StopAsking(0);
    return plan;
}

std::vector<WindowEntry> ScreenModel::GatherAll(int onto) {
    if (IsScreen(onto)) current_ = onto;
    std::vector<WindowEntry> all = std::move(entries_);
    entries_.clear();
    asking_.clear();
    return all;
}

void ScreenModel::Refuse(uintptr_t window) {
    if (!IsRefused(window)) refused_.push_back(window);
    Forget(window);
}

bool ScreenModel::IsRefused(uintptr_t window) const {
    for (uintptr_t w : refused_)
        if (w == window) return true;
    return false;
}

void ScreenModel::PruneRefused(bool (*alive)(uintptr_t)) {
    std::erase_if(refused_, [&](uintptr_t w) { return !alive(w); });
}

std::vector<MenuWindowItem>
ScreenModel::MenuItems(const std::vector<MenuCandidate>& topFirst) const {
    std::vector<MenuWindowItem> items;
    // With two screens each item says where it goes; with more its sub-items do.
    auto direction = [this](bool shown) {
        return count_ > 2 ? MoveDirection::ToScreenChosen
               : shown    ? MoveDirection::ToOtherScreen
                          : MoveDirection::ToThisScreen;
    };
    for (size_t i = topFirst.size(); i-- > 0;) {
        const MenuCandidate& c = topFirst[i];
        if (c.leadsShownGroup)
            items.push_back({c.handle, true, false, MoveCaption(current_, c.title, direction(true)),
                             count_ > 2 ? 0 : Next(), current_});
    }
    for (const MenuCandidate& c : topFirst) {
        // Hidden windows we did not hide are none of our business; a group is
        // listed by its main window.
        const WindowEntry* e = c.leadsShownGroup || c.seemsVisible ? nullptr : Find(c.handle);
        if (e && e->Main == e->Handle)
            items.push_back({c.handle, false, false,
                             MoveCaption(e->Screen, e->Title, direction(false)),
                             count_ > 2 ? 0 : current_, e->Screen});
    }
    return items;
}

std::vector<InputCandidate> ScreenModel::InputCandidates(const std::vector<WindowEntry>& list) {
    std::vector<InputCandidate> candidates;
    for (const WindowEntry& e : list)
        if (e.WasForeground) candidates.push_back({e.Handle, true, true});
    // A palette or a find box is no place for the input unless it had it.
    for (size_t i = list.size(); i-- > 0;)
        if (list[i].Main == list[i].Handle && !list[i].WasForeground)
            candidates.push_back({list[i].Handle, false, true});
    return candidates;
}

StripTexts ScreenModel::Texts() const {
    // Screens are numbered 1 to 9: one digit each.
    char hint[] = " Switch to screen N ";
    hint[sizeof hint - 3] = static_cast<char>('0' + Next());
    StripTexts texts{std::string(1, static_cast<char>('0' + current_)),
                     std::string(1, hint[sizeof hint - 3]), hint};
    for (size_t i = asking_.size(); i-- > 0;)
        if (const WindowEntry* e = Find(asking_[i])) {
            texts.sign = e->Screen;
            char where[] = "Screen N: ";
            where[7] = static_cast<char>('0' + e->Screen);
            texts.switchHint = where;
            texts.switchHint += e->Title;
            break;
        }
    return texts;
}

bool ScreenModel::Ask(uintptr_t window) {
    // A window the user can see asks in its own way.
    if (!ScreenOf(window)) return false;
    for (uintptr_t w : asking_)
        if (w == window) return false;
    asking_.push_back(window);
    return true;
}

bool ScreenModel::StopAsking(uintptr_t window) {
    // Without a window: every one that stands on the screen shown.
    size_t kept = 0;
    for (uintptr_t w : asking_)
        if (window ? w != window : ScreenOf(w) != 0) asking_[kept++] = w;
    const bool stopped = kept != asking_.size();
    while (asking_.size() > kept)
        asking_.pop_back();
    return stopped;
}
