#include "app/Captions.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include <array>

namespace {

using enum CaptionKind;

constexpr std::array<CaptionRow, 45> Rows{{
    {"Label30", Caption, {"язык", "language"}},
    {"MFile", Caption, {"Файл", "File"}},
    {"MEdit", Caption, {"Правка", "Edit"}},
    {"AUndo", Caption, {"Отменить", "Undo"}},
    {"ARedo", Caption, {"Повторить", "Redo"}},
    {"AFindKey", Caption, {"Найти ключ…", "Find key…"}},
    {"MCmd", Caption, {"Действия", "Commands"}},
    {"N1", Caption, {"Преобразование", "Convert"}},
    {"MCfg", Caption, {"Конфигурация", "Configuration"}},
    {"N6", Caption, {"О программе", "About"}},
    {"MExit", Caption, {"Выход", "Exit"}},
    {"MFile_New", Caption, {"Новый", "New"}},
    {"MFile_Open", Caption, {"Открыть", "Open"}},
    {"MFile_Save", Caption, {"Сохранить", "Save"}},
    {"N3", Caption, {"Сохранить как...", "Save As"}},
    {"MRecent", Caption, {"Последние файлы", "Recent files"}},
    {"AExportKeys", Caption, {"Экспорт ключей…", "Export keys…"}},
    {"AImportKeys", Caption, {"Импорт ключей…", "Import keys…"}},
    {"ACompareWith", Caption, {"Сравнить с файлом…", "Compare with a file…"}},
    {"MCompareChip", Caption, {"Сравнить с микросхемой", "Compare with the chip"}},
    {"N4", Caption, {"Печать", "Print"}},
    {"MFile_Archive", Caption, {"Архив микросхем...", "Archive..."}},
    {"MFile_Exit", Caption, {"Выход", "Exit"}},
    {"MCmd_Read", Caption, {"Читать микросхему", "Read chip"}},
    {"MCmd_Write", Caption, {"Записать микросхему", "Write chip"}},
    {"MCmd_Copy", Caption, {"Копировать микросхему", "Copy chip"}},
    {"N5", Caption, {"Заполнить инд.коды", "Fill ind. codes"}},
    {"N2", Caption, {"Звук", "Sound"}},
    {"AProgrammerMode", Caption, {"Режим программатора", "Programmer mode"}},
    {"NVerify", Caption, {"Проверка записи", "Verify after write"}},
    {"NBackup", Caption, {"Сохранять содержимое микросхемы перед записью", "Back up the chip before writing"}},
    {"NPreview", Caption, {"Показывать, что изменит запись", "Show what a write will change"}},
    {"ToolButton5", Caption, {"Чтение ТМ", "Reading TM"}},
    {"ToolButton6", Caption, {"Чтение RFID", "Reading RFID"}},
    {"ToolButton1", Hint, {"Создать файл", "Create file"}},
    {"ToolButton2", Hint, {"Открыть файл", "Open file"}},
    {"ToolButton3", Hint, {"Записать файл", "Write file"}},
    {"ToolButton5", Hint, {"Чтение ключей KAVRO-ТМ", "Reading keys KAVRO-TM"}},
    {"ToolButton6", Hint, {"Чтение ключей KAVRO-RX5", "Reading keys KAVRO-RX5"}},
    {"ToolButton8", Hint, {"Звуковой сигнал", "Sound effects"}},
    {"ToolButton10", Hint, {"Выход", "Exit"}},
    {"MaskEdit1", Hint, {"Изменение пароля входа в режим сервисных установок", "Change service password"}},
    {"MaskEdit8", Hint, {"Изменение пароля входа в режим сервисных установок", "Change service password"}},
    {"MaskEdit14", Hint, {"Изменение пароля входа в режим сервисных установок", "Change service password"}},
    {"MaskEdit9", Hint, {"Изменение пароля входа в режим системных установок", "Change system password"}},
}};

} // namespace

std::span<const CaptionRow> CaptionTable() { return Rows; }

void ApplyCaptionRow(QObject& root, const CaptionRow& row, Language language)
{
    QObject* control = root.findChild<QObject*>(QString::fromLatin1(row.control));
    if (!control) return;
    const QString text = row.text.in(language);
    if (row.kind == Hint) {
        // A tool button shows the hint of the action it carries, so both get it.
        if (auto* button = qobject_cast<QToolButton*>(control); button && button->defaultAction())
            button->defaultAction()->setToolTip(text);
        if (auto* widget = qobject_cast<QWidget*>(control)) widget->setToolTip(text);
        return;
    }
    if (auto* menu = qobject_cast<QMenu*>(control))
        menu->setTitle(text);
    else if (auto* action = qobject_cast<QAction*>(control))
        action->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
}
