#pragma once

#include "platform/tray/StatusItem.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QToolButton;

// The base of the small floating panels: a frameless window that stays on top
// and cannot be moved, with its own centred title over a thin rule, one close
// button, and a utility view below the rule for the subclass's controls. Every
// showing hangs it below the tray item, or at the pointer when there is none.
class KPUtilityWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int titleBarHeight = 22;
    static constexpr int gapBelowStatusItem = 10;

    // The status item is the anchor; without one the window opens at the pointer.
    // The width is the least: a longer title widens the window.
    KPUtilityWindow(StatusItem* statusItem, const QString& title, int width, int height);
    ~KPUtilityWindow() override;

    QWidget* titleBarLine() const { return m_titleBarLine; }
    QLabel* titleLabel() const { return m_titleLabel; }
    QWidget* utilityView() const { return m_utilityView; }
    QToolButton* closeButton() const { return m_closeButton; }
    StatusItem* statusItem() const { return m_statusItem; }

    // Places the window by windowOrigin(), then shows, raises and activates it.
    // Subclasses that refresh their content on showing do so first, then call this.
    virtual void makeKeyAndOrderFront();
    // The bottom-left origin of the window in screen coordinates, y growing
    // upwards: centred 10 points below the status item, or centred on the
    // pointer with the bottom edge at it; kept inside the screen's free area.
    QPoint windowOrigin() const;

protected:
    // Widens the window to hold content this wide (a language's longer words);
    // never narrows it. The utility view widens with it.
    void fitWidth(int contentWidth);
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void layOut(int width, int height);
    void applyColors();

    QWidget* m_titleBarLine = nullptr;
    QLabel* m_titleLabel = nullptr;
    QWidget* m_utilityView = nullptr;
    QToolButton* m_closeButton = nullptr;
    QPointer<StatusItem> m_statusItem;
};
