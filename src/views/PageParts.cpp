#include "views/PageParts.h"

#include "model/FieldSpecs.h"
#include "model/TextForms.h"
#include "views/FocusTracker.h"
#include "views/MaskEdit.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <cstring>

RecordGrid::RecordGrid(const TableSpec& spec, PageContext& context, QWidget* parent)
    : StringGrid(QString::fromLatin1(spec.name), spec.columns, spec.growing ? 2 : spec.rows + 1, parent),
      spec_(spec), context_(context)
{
    if (spec.targetFamily != InputTargetFamily::None)
        connect(this, &StringGrid::Entered, this,
                [this] { context_.inputTargets[spec_.targetFamily] = spec_.inputTarget; });
}

int RecordGrid::FitToContent()
{
    QStringList samples{spec_.header == HeaderStyle::Apartment ? QStringLiteral("N ap.000") : QStringLiteral("00000")};
    if (spec_.codeColumn > 0) samples << QStringLiteral("ind. code");
    while (samples.size() < spec_.columns) samples << QStringLiteral("DD DD DD");
    if (spec_.extraHeader.ru) samples.last() = QStringLiteral("Гостин.");
    return FitColumns(samples);
}

void RecordGrid::Fill(const std::function<QString(int row)>& extraColumn)
{
    const Language language = context_.language();
    const IntercomStore& store = context_.store;
    QStringList cells;
    const auto rowCells = [&](int row) {
        cells.clear();
        for (int column = 0; column < spec_.columns; ++column)
            cells << (extraColumn && spec_.extraHeader.ru && column == spec_.columns - 1
                          ? extraColumn(row)
                          : CellText(store, spec_, {column, row}));
        return cells;
    };
    setUpdatesEnabled(false);
    if (spec_.growing) {
        QStringList header;
        for (int column = 0; column < spec_.columns; ++column) header << HeaderText(spec_, column, language);
        BeginRows(header);
        for (int row = 1; row <= spec_.rows; ++row) AppendRow(rowCells(row));
        EndRows();
    } else {
        for (int column = 0; column < spec_.columns; ++column) SetCell(column, 0, HeaderText(spec_, column, language));
        for (int row = 1; row <= spec_.rows; ++row) {
            rowCells(row);
            for (int column = 0; column < spec_.columns; ++column) SetCell(column, row, cells[column]);
        }
    }
    setUpdatesEnabled(true);
}

ConfigGroup::ConfigGroup(const char* name, std::span<const ConfigBoxTexts> boxes, PageContext& context,
                         QWidget* parent)
    : QGroupBox(parent)
{
    setObjectName(QString::fromLatin1(name));
    auto* layout = new QVBoxLayout(this);
    for (const ConfigBoxTexts& texts : boxes) {
        auto* box = new ConfigCheckBox(texts, context, this);
        boxes_.push_back(box);
        layout->addWidget(box);
    }
}

ConfigCheckBox* ConfigGroup::Box(const char* name) const
{
    for (ConfigCheckBox* box : boxes_)
        if (box->objectName() == QLatin1String(name)) return box;
    Q_ASSERT_X(false, "ConfigGroup::Box", name);
    return nullptr;
}

void ConfigGroup::ShowFromRecord(std::span<const char* const> order)
{
    if (order.empty()) {
        for (ConfigCheckBox* box : boxes_) box->ShowFromRecord();
        return;
    }
    for (const char* name : order) Box(name)->ShowFromRecord();
}

void WriteLabels(QWidget& page, std::span<const LabelText> labels, Language language)
{
    for (const LabelText& label : labels) {
        const QString text = label.text.in(language);
        QObject* control = page.findChild<QObject*>(QString::fromLatin1(label.name));
        if (auto* asLabel = qobject_cast<QLabel*>(control)) asLabel->setText(text);
        else if (auto* group = qobject_cast<QGroupBox*>(control)) group->setTitle(text);
    }
}

QLabel* NamedLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

MaskEdit* AddMaskField(QGridLayout& layout, int row, const char* field, const char* label, QWidget* parent)
{
    const FieldSpec& spec = FieldSpecOf(field);
    auto* edit = new MaskEdit(QString::fromLatin1(field), spec.digits == 4 ? MaskEdit::Digits::Four : MaskEdit::Digits::Two,
                              parent);
    layout.addWidget(NamedLabel(label, parent), row, 0);
    layout.addWidget(edit, row, 1);
    return edit;
}

void ShowFields(std::span<MaskEdit* const> fields, const TIntercomData& record)
{
    for (MaskEdit* field : fields) field->setText(FieldText(record, FieldSpecOf(qPrintable(field->objectName()))));
}

QLineEdit* KeyField(const char* name, PageContext& context, InputTargetFamily family, int target, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(true);
    field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("DD DD DD")) + 24);
    auto* focus = new FocusTracker(*field);
    QObject::connect(focus, &FocusTracker::Entered, field, [&context, family, target] {
        context.inputTargets[family] = target;
    });
    return field;
}

SettingSpinEdit* MakeSpinEdit(const SpinSpec& spec, PageContext& context, QWidget* parent)
{
    const auto store = [&context, value = spec.value](int shown) {
        TIntercomData& record = context.store.Record;
        switch (value) {
        case SpinValue::LockTime: record.LockTime = static_cast<std::uint8_t>(shown); break;
        case SpinValue::Volume: record.Volume = static_cast<std::uint8_t>(shown); break;
        case SpinValue::ConciergeNumber: record.ConciergeNumber = shown; break;
        case SpinValue::LockTimeWord: record.GeneralCode = static_cast<std::uint16_t>(shown); break;
        }
        // Without this, closing the window would drop the change without the save-first question.
        context.markModified();
    };
    return new SettingSpinEdit(QString::fromLatin1(spec.name), spec.range, spec.input, store, parent);
}
