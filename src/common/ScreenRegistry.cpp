#include "common/ScreenRegistry.h"

#include "common/KeyFiltersUi.h"
#include "common/StoredTextUi.h"

#include <map>
#include <vector>

namespace {
struct Entry {
    std::type_index type;
    QPointer<TamselForm> screen;
};
std::vector<Entry> &Entries() {
    static std::vector<Entry> entries;
    return entries;
}
std::map<Screen, std::function<TamselForm *()>> &Factories() {
    static std::map<Screen, std::function<TamselForm *()>> factories;
    return factories;
}
} // namespace

TamselForm *ScreenRegistry::Get(Screen which) {
    const auto it = Factories().find(which);
    return it == Factories().end() ? nullptr : it->second();
}

void ScreenRegistry::SetFactory(Screen which, std::function<TamselForm *()> get) {
    Factories()[which] = std::move(get);
}

TamselForm *ScreenRegistry::Find(std::type_index type) {
    for (const Entry &entry : Entries())
        if (entry.type == type && entry.screen)
            return entry.screen;
    return nullptr;
}

void ScreenRegistry::Register(std::type_index type, TamselForm *screen) {
    Entries().push_back(Entry{type, screen});
    // Before Form_Load, which may fill the boxes from files.
    KeepTextBoxesResponsive(screen);
    TellRefusedInputIn(screen);
}

void ScreenRegistry::Show(TamselForm *screen) {
    if (!screen)
        return;
    screen->show();
    screen->raise();
    screen->activateWindow();
}

void ScreenRegistry::Unload(TamselForm *screen) {
    if (!screen)
        return;
    auto &entries = Entries();
    std::erase_if(entries, [screen](const Entry &e) { return e.screen == screen || !e.screen; });
    screen->unloading_ = true;
    screen->Form_Unload();
    screen->close();
    // Deleted once control is back in the event loop: the unload may come from
    // one of the screen's own handlers.
    screen->deleteLater();
}

void ScreenRegistry::UnloadAll() {
    while (!Entries().empty()) {
        TamselForm *last = Entries().back().screen;
        if (last)
            Unload(last);
        else
            Entries().pop_back();
    }
}

void ScreenRegistry::DiscardAll() {
    auto entries = std::move(Entries());
    Entries().clear();
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        if (TamselForm *screen = it->screen) {
            screen->unloading_ = true;
            screen->hide();
            screen->deleteLater();
        }
    }
}

QList<TamselForm *> ScreenRegistry::Screens() {
    QList<TamselForm *> screens;
    for (const Entry &entry : Entries())
        if (entry.screen)
            screens << entry.screen;
    return screens;
}
