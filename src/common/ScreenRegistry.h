#pragma once
// Each screen exists at most once: created the first time anything touches
// it, kept while hidden, gone when unloaded.
#include "common/TamselForm.h"

#include <QList>
#include <QPointer>
#include <functional>
#include <typeindex>

// The program's screens by name, so that a screen can show another (every
// "Menu" button shows the main menu) without depending on its class.
enum class Screen {
    Splash,
    MainMenu,
    Setup,
    Customer,
    WriteProposal,
    FieldProposal,
    Terms,
    Dialer,
    ProposalReport
};

class ScreenRegistry {
public:
    // The screen, created (and loaded) on first touch.
    template <class T> static T *Get() {
        if (auto *existing = Find(typeid(T)))
            return static_cast<T *>(existing);
        auto *screen = new T();
        Register(typeid(T), screen);
        screen->Form_Load();
        return screen;
    }
    // The screen if it exists, without creating it.
    template <class T> static T *Existing() { return static_cast<T *>(Find(typeid(T))); }
    template <class T> static void Unload() {
        if (auto *screen = Find(typeid(T)))
            Unload(screen);
    }

    // The screen of that name, created on first touch like Get<T>(); null
    // when the program has not said how to make it.
    static TamselForm *Get(Screen which);
    static void Show(Screen which) { Show(Get(which)); }
    // How to reach each named screen; the program's top floor installs them.
    static void SetFactory(Screen which, std::function<TamselForm *()> get);

    // Shows a screen and makes it the active window.
    static void Show(TamselForm *screen);
    // The program's own unload: no ExitProgram, layout saved, screen deleted.
    static void Unload(TamselForm *screen);
    // Every screen, the last created first.
    static void UnloadAll();
    // Drops every screen without saving anything (ending before the program ran).
    static void DiscardAll();
    // Screens in the order they were created.
    static QList<TamselForm *> Screens();

private:
    static TamselForm *Find(std::type_index type);
    static void Register(std::type_index type, TamselForm *screen);
};
