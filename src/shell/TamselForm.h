#pragma once
// What every screen shares: load, activate, deactivate and unload events,
// its size and position kept between runs, and the rule that closing a
// window with its own close button ends the whole program.
#include <QWidget>

class TamselForm : public QWidget {
    Q_OBJECT
public:
    // The object name is the screen's name (frmSetup, frmCustomer, ...).
    explicit TamselForm(const QString &name, QWidget *parent = nullptr);

    // Runs once, right after the screen is created by the registry.
    virtual void Form_Load();
    // The screen became the active window.
    virtual void Form_Activate() {}
    // Another window became active.
    virtual void Form_Deactivate();
    // The screen is being unloaded (by the program or at exit).
    virtual void Form_Unload();

    void RestoreLayout();
    void SaveLayout();

protected:
    // The key under which the layout is kept; the splash keeps its own.
    virtual QString LayoutApplication() const { return QStringLiteral("TamselProposal"); }
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    friend class ScreenRegistry;
    bool unloading_ = false; // true while the program itself unloads the screen
};
