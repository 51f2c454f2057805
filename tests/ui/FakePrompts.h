// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "ui/DialogCommon.h"

// Answers the dialogs' message boxes, file dialogs and modal loops from
// queues filled by the test, and records what was asked.
class FakePrompts : public vexari::Prompts {
public:
    struct Shown {
        QString text, caption;
        bool defaultNo = false;
    };
    using Handler = std::function<void(QDialog&)>;

    std::vector<Shown> messages, questions;
    std::deque<bool> answers;                      // Yes/No answers; No when empty
    std::deque<QString> openResults, saveResults;  // a null QString or none left: cancelled
    std::vector<vexari::FileDialogRequest> openRequests, saveRequests;
    std::deque<Handler> handlers;  // one per modal run; cancelled when empty
    std::vector<QString> execTitles;

    // Queues a handler for the next modal run, which shows a dialog of type D.
    template <class D>
    void On(std::function<void(D&)> f) {
        handlers.push_back([f](QDialog& d) { f(static_cast<D&>(d)); });
    }

    void Message(QWidget*, const QString& text, const QString& caption, vexari::PromptIcon) override {
        messages.push_back({text, caption});
    }
    bool AskYesNo(QWidget*, const QString& text, const QString& caption, vexari::PromptIcon, bool defaultNo) override {
        questions.push_back({text, caption, defaultNo});
        const bool yes = !answers.empty() && answers.front();
        if (!answers.empty()) answers.pop_front();
        return yes;
    }
    std::optional<QString> OpenFile(QWidget*, const vexari::FileDialogRequest& r) override {
        openRequests.push_back(r);
        return Pop(openResults);
    }
    std::optional<QString> SaveFile(QWidget*, const vexari::FileDialogRequest& r) override {
        saveRequests.push_back(r);
        return Pop(saveResults);
    }
    int Exec(QDialog& dialog) override {
        execTitles.push_back(dialog.windowTitle());
        dialog.setResult(QDialog::Rejected);
        if (handlers.empty()) return QDialog::Rejected;
        const Handler h = std::move(handlers.front());
        handlers.pop_front();
        h(dialog);
        return dialog.result();
    }
    QStringList MessageTexts() const {
        QStringList out;
        for (const auto& m : messages) out << m.text;
        return out;
    }

private:
    static std::optional<QString> Pop(std::deque<QString>& q) {
        const QString v = q.empty() ? QString() : q.front();
        if (!q.empty()) q.pop_front();
        return v.isNull() ? std::nullopt : std::optional<QString>(v);
    }
};
