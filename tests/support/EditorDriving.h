#pragma once

#include "views/KPTimeEditor.h"
#include "views/KPUtilityWindow.h"

#include <QLineEdit>
#include <QTest>

// What a user sees in an editor's fields, "hh:mm:ss".
inline QString fieldTexts(const KPTimeEditor* editor)
{
    QStringList texts;
    for (const QLineEdit* field : editor->fields())
        texts << field->text();
    return texts.join(':');
}

// Types over the whole field, as after a double click into it.
inline void typeOver(QLineEdit* field, const QString& text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}

// Shows the window as the application does, and waits until it has the keyboard.
inline void open(KPUtilityWindow& window)
{
    window.makeKeyAndOrderFront();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}
