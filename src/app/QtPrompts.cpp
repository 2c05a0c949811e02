#include "app/QtPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

namespace {

QMessageBox::StandardButtons ButtonsOf(PromptButtons buttons)
{
    switch (buttons) {
    case PromptButtons::Ok: return QMessageBox::Ok;
    case PromptButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case PromptButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon IconOf(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Information: return QMessageBox::Information;
    case PromptIcon::Question: return QMessageBox::Question;
    case PromptIcon::Warning: return QMessageBox::Warning;
    case PromptIcon::Error: return QMessageBox::Critical;
    case PromptIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

PromptAnswer AnswerOf(int button, PromptButtons buttons)
{
    switch (button) {
    case QMessageBox::Ok: return PromptAnswer::Ok;
    case QMessageBox::Yes: return PromptAnswer::Yes;
    case QMessageBox::No: return PromptAnswer::No;
    case QMessageBox::Cancel: return PromptAnswer::Cancel;
    default: break;
    }
    // Closed without a button: the set's escape answer.
    if (buttons == PromptButtons::Ok) return PromptAnswer::Ok;
    return buttons == PromptButtons::YesNo ? PromptAnswer::No : PromptAnswer::Cancel;
}

} // namespace

QStringList NameFilters(const QString& filters)
{
    const QStringList parts = filters.split(QLatin1Char('|'));
    QStringList names;
    // A name that does not show its pattern gets it, so the dialog lists the files it matches.
    for (int i = 0; i + 1 < parts.size(); i += 2)
        names << (parts[i].contains(QLatin1Char('('))
                      ? parts[i]
                      : parts[i] + QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')'));
    return names;
}

QString WithSuffixOfFilter(const QString& path, const QString& nameFilter, const QString& fallbackSuffix)
{
    if (!QFileInfo(path).suffix().isEmpty()) return path;
    static const QRegularExpression extension(QStringLiteral("\\*\\.(\\w+)"));
    const QRegularExpressionMatch match = extension.match(nameFilter);
    const QString suffix = match.hasMatch() ? match.captured(1) : fallbackSuffix;
    return suffix.isEmpty() ? path : path + QLatin1Char('.') + suffix;
}

PromptAnswer QtPrompts::message(const QString& text, const QString& caption, PromptButtons buttons, PromptIcon icon)
{
    QMessageBox box(IconOf(icon), caption, text, ButtonsOf(buttons), parent_);
    const int answer = box.exec();
    box.hide();
    RepaintWindows();
    return AnswerOf(answer, buttons);
}

void QtPrompts::RepaintWindows()
{
    // A transfer may hold the interface right after the answer: the windows the box covered
    // (the progress dialog above all) are painted again now, not at the next pass of the event loop.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible()) window->repaint();
}

std::optional<FileDialogChoice> QtPrompts::ShowFileDialog(const FileDialogRequest& request, bool save)
{
    QFileDialog dialog(parent_, request.title);
    const QStringList filters = NameFilters(request.filters);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    // A save dialog's own default suffix would be the same for every filter; the suffix is added
    // after the dialog, from the filter the user left selected.
    if (!save) dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // The save dialog asks its own overwrite question through the document commands.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!request.folder.isEmpty()) dialog.setDirectory(request.folder);
    dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString chosen = dialog.selectedFiles().constFirst();
    const QString filter = dialog.selectedNameFilter();
    return FileDialogChoice{save ? WithSuffixOfFilter(chosen, filter, request.defaultSuffix) : chosen,
                            static_cast<int>(filters.indexOf(filter)) + 1};
}

std::optional<FileDialogChoice> QtPrompts::openFile(const FileDialogRequest& request)
{
    return ShowFileDialog(request, false);
}

std::optional<FileDialogChoice> QtPrompts::saveFile(const FileDialogRequest& request)
{
    return ShowFileDialog(request, true);
}
