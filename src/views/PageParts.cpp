#include "views/PageParts.h"

#include <QLabel>
#include <QVBoxLayout>

#include <cstring>

RecordGrid::RecordGrid(const TableSpec& spec, Session& session, QWidget* parent)
        : StringGrid(QString::fromLatin1(spec.name), spec.columns, spec.growing ? 2 : spec.rows + 1, parent),
          spec_(spec), session_(session)
{
    if (spec.targetFamily != InputTargetFamily::None)
        connect(this, &StringGrid::Entered, this,
                [this] { session_.Targets()[spec_.targetFamily] = spec_.inputTarget; });
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
    const Language language = session_.CurrentLanguage();
    const IntercomStore& store = session_.Store();
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

ConfigGroup::ConfigGroup(const char* name, std::span<const ConfigBoxTexts> boxes, Session& session, QWidget* parent)
        : QGroupBox(parent)
{
    setObjectName(QString::fromLatin1(name));
    auto* layout = new QVBoxLayout(this);
    for (const ConfigBoxTexts& texts : boxes) {
        auto* box = new ConfigCheckBox(texts, session, this);
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
        if (auto* asLabel = qobject_cast<QLabel*>(control))
            asLabel->setText(text);
        else if (auto* group = qobject_cast<QGroupBox*>(control))
            group->setTitle(text);
    }
}

QLabel* NamedLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

SettingSpinEdit* MakeSpinEdit(const SpinSpec& spec, Session& session, QWidget* parent)
{
    const auto store = [&session, value = spec.value](int shown) {
        TIntercomData& record = session.Store().Record;
        switch (value) {
        case SpinValue::LockTime: record.LockTime = static_cast<std::uint8_t>(shown); break;
        case SpinValue::Volume: record.Volume = static_cast<std::uint8_t>(shown); break;
        case SpinValue::ConciergeNumber: record.ConciergeNumber = shown; break;
        case SpinValue::LockTimeWord: record.GeneralCode = static_cast<std::uint16_t>(shown); break;
        }
        // Without this, closing the window would drop the change without the save-first question.
        session.MarkModified();
    };
    return new SettingSpinEdit(QString::fromLatin1(spec.name), spec.range, spec.input, store, parent);
}
