// Running a modal dialog in a test: the steps run inside the dialog's nested
// event loop, one after another, each once the previous one has returned, as
// a user's clicks would. A dialog still open after the last step is cancelled
// and the test fails, so a test never hangs in DoModal.
#pragma once

#include "platform/mfc/dialog.h"

#include <QAbstractButton>
#include <QTimer>

#include <functional>
#include <gtest/gtest.h>
#include <vector>

inline int RunModal(CDialog &dialog, std::vector<std::function<void()>> steps)
{
    auto remaining = std::make_shared<std::vector<std::function<void()>>>(std::move(steps));
    auto next = std::make_shared<std::function<void()>>();
    auto running = std::make_shared<bool>(true);
    *next = [&dialog, remaining, next, running] {
        // A step scheduled by this run must not act in a later run.
        if (!*running || !dialog.isVisible())
            return;
        if (remaining->empty()) {
            ADD_FAILURE() << "the dialog is still open after the last step";
            dialog.done(-1);
            return;
        }
        const std::function<void()> step = remaining->front();
        remaining->erase(remaining->begin());
        step();
        QTimer::singleShot(0, &dialog, *next);
    };
    QTimer::singleShot(0, &dialog, *next);
    const int result = dialog.DoModal();
    *running = false;
    *next = nullptr; // breaks the cycle between the step runner and itself
    return result;
}

// Clicks the dialog's button with this id.
inline void ClickDlgItem(CDialog &dialog, int id)
{
    auto *button = dialog.GetDlgItem<QAbstractButton>(id);
    ASSERT_TRUE(button) << "no button " << id;
    button->click();
}
