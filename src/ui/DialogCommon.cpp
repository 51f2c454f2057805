// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DialogCommon.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QProxyStyle>
#include <QRegularExpression>
#include <limits>

namespace vexari {

QString RangeMessage(int low, int high) {
    return QCoreApplication::translate("vexari::Prompts", "Value must be between %1 and %2").arg(low).arg(high);
}

QString SaveFailureMessage(const SaveResult& result) {
    const char* const text = result.folder ? QT_TRANSLATE_NOOP("vexari::Prompts", "Cannot create folder %1: %2")
                                           : QT_TRANSLATE_NOOP("vexari::Prompts", "Cannot save %1: %2");
    return QCoreApplication::translate("vexari::Prompts", text)
        .arg(QString::fromStdString(result.path.string()), QString::fromStdString(result.reason));
}

namespace {

QMessageBox::Icon ToQt(PromptIcon icon) {
    switch (icon) {
    case PromptIcon::Information: return QMessageBox::Information;
    case PromptIcon::Warning: return QMessageBox::Warning;
    case PromptIcon::Question: return QMessageBox::Question;
    case PromptIcon::Error: return QMessageBox::Critical;
    case PromptIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// Qt takes a filter's pattern from its parentheses; "*.*" would hide names
// without a dot, which the Windows-style "All files" entry means to show.
QString ToQtFilters(const QStringList& filters) {
    QStringList out;
    for (QString f : filters) {
        f.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
        out << f;
    }
    return out.join(QStringLiteral(";;"));
}

std::optional<QString> RunFileDialog(QWidget* parent, const FileDialogRequest& request, bool save) {
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);  // a desktop's own dialog cannot take the look
    ApplyDialogLook(&dialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(ToQtFilters(request.filters));
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.initialPath.isEmpty()) dialog.selectFile(request.initialPath);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    return files.front();
}

}  // namespace

void QtPrompts::Message(QWidget* parent, const QString& text, const QString& caption, PromptIcon icon) {
    QMessageBox box(ToQt(icon), caption, text, QMessageBox::Ok, parent);
    ApplyDialogLook(&box);
    box.exec();
}

bool QtPrompts::AskYesNo(QWidget* parent, const QString& text, const QString& caption, PromptIcon icon,
                         bool defaultNo) {
    QMessageBox box(ToQt(icon), caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    ApplyDialogLook(&box);
    box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtPrompts::OpenFile(QWidget* parent, const FileDialogRequest& request) {
    return RunFileDialog(parent, request, false);
}

std::optional<QString> QtPrompts::SaveFile(QWidget* parent, const FileDialogRequest& request) {
    return RunFileDialog(parent, request, true);
}

int QtPrompts::Exec(QDialog& dialog) { return dialog.exec(); }

Prompts& DefaultPrompts() {
    static QtPrompts prompts;
    return prompts;
}

void ApplyDialogLook(QWidget* widget) {
    QPalette pal = widget->palette();
    const QColor grey(192, 192, 192);
    for (auto role : {QPalette::Window, QPalette::Button}) pal.setColor(role, grey);
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        pal.setColor(role, Qt::black);
        pal.setColor(QPalette::Disabled, role, QColor(128, 128, 128));  // greyed out stays visible as such
    }
    pal.setColor(QPalette::Base, Qt::white);
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
    // A platform theme may give message boxes and file dialogs fonts of
    // their own; every dialog takes the one of the game's dialogs.
    widget->setFont(QApplication::font("QDialog"));
}

namespace {

// OK before Cancel whatever order the desktop's theme prefers, and no icons.
class OkFirstStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_DialogButtonLayout) return QDialogButtonBox::WinLayout;
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons) return 0;  // the game's buttons carry text only
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

}  // namespace

QDialogButtonBox* MakeButtonRow(QDialog* dialog) {
    auto* box = new QDialogButtonBox(dialog);
    // The box alone takes the style; its buttons keep the application's.
    auto* style = new OkFirstStyle(QApplication::style()->name());
    style->setParent(box);
    box->setStyle(style);
    return box;
}

QDialogButtonBox* MakeOkCancelButtons(QDialog* dialog, const QString& okText, const QString& cancelText) {
    QDialogButtonBox* box = MakeButtonRow(dialog);
    QPushButton* ok = okText.isEmpty() ? box->addButton(QDialogButtonBox::Ok)
                                       : box->addButton(okText, QDialogButtonBox::AcceptRole);
    QPushButton* cancel = cancelText.isEmpty() ? box->addButton(QDialogButtonBox::Cancel)
                                               : box->addButton(cancelText, QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("ok"));
    cancel->setObjectName(QStringLiteral("cancel"));
    ok->setDefault(true);
    cancel->setAutoDefault(false);
    QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return box;
}

QSize DialogUnits(const QWidget* widget, int width, int height) {
    const QFontMetrics fm(widget->font());
    const int advance = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const int baseX = (advance / 26 + 1) / 2;
    const int baseY = fm.height();
    return {(width * baseX + 2) / 4, (height * baseY + 4) / 8};
}

std::optional<int> ParseWholeNumber(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^\\s*([+-]?[0-9]+)\\s*$"));
    const auto match = re.match(text);
    if (!match.hasMatch()) return std::nullopt;
    bool ok = false;
    const qlonglong v = match.captured(1).toLongLong(&ok);
    if (!ok || v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) return std::nullopt;
    return static_cast<int>(v);
}

std::optional<int> ReadIntegerField(Prompts& prompts, QWidget* parent, QLineEdit* field, int low, int high,
                                    bool checkRange) {
    const std::optional<int> value = ParseWholeNumber(field->text());
    QString refusal;
    if (!value)
        refusal = QCoreApplication::translate("vexari::Prompts", kNotWholeNumberText);
    else if (checkRange && (*value < low || *value > high))
        refusal = RangeMessage(low, high);
    if (refusal.isEmpty()) return value;
    prompts.Message(parent, refusal);
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
    return std::nullopt;
}

}  // namespace vexari
