#pragma once

#include "UpdateCheck.h"

#include <QMessageBox>

// The small window that tells how a check for updates went.
class UpdateDialog : public QMessageBox
{
    Q_OBJECT

public:
    explicit UpdateDialog(QWidget* parent = nullptr);

    void showChecking();
    void showResult(const UpdateCheck::Result& result, const QVersionNumber& currentVersion);
};
