#include "views/ApartmentPage.h"

#include "model/TextForms.h"
#include "views/ConfigCheckBox.h"
#include "views/MaskEdit.h"
#include "views/SettingSpinEdit.h"
#include "views/StringGrid.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int LockTimeBit = 4;

// CB2 to CB8, in the order the configuration group shows and fills them.
constexpr std::array<ConfigBoxTexts, 7> ConfigBoxes{{
    {"CB2", 6, {"EML - замок", "lock type - EL"}, {"ML - замок", "lock type - ML"},
     {"Тип замка (выбрано - EML, пусто - ML)", "Lock type (selected - EL, deselected - ML)"}},
    {"CB3", 5,
     {"запрет звуковой сигнализации в УКП квартир при использовании DS1990A",
      "disable beep at subscriber device to signal DS1990A use"},
     {"Разрешение звуковой сигнализации в УКП квартир при использовании DS1990A",
      "enable beep at subscriber device to signal DS1990A use"},
     {"Разрешение или запрет звуковой сигнализации в УКП квартир при использовании DS1990A (выбрано - "
      "запрещено, пусто - разрешено)",
      "Enable/Disable beep at subscriber device to signal DS1990A use(selected - disabled, deselected - "
      "enabled)"}},
    {"CB4", LockTimeBit, {"Время открывания замка - 5с", "unlocked state - 5s"},
     {"время открывания замка - 1с", "unlocked state - 1s"},
     {"Время открывания замка (выбрано - 5с, пусто - 1с)",
      "Unlocked state time (selected - 5s, deselected - 1s)"}},
    {"CB5", 3,
     {"Разрешение индивидуальных кодов доступа (для всех квартир)",
      "enable individual access codes (for all ap.)"},
     {"запрет индивидуальных кодов доступа (для всех квартир)", "disable individual access codes (for all ap.)"},
     {"Разрешение/запрет индивидуальных кодов доступа (для всех квартир) выбрано - разрешено/ пусто - "
      "запрещено",
      "Enable/disable individual access codes (for all apartments) selected - enabled/ deselected - "
      "disabled"}},
    {"CB6", 2, {"Кол-во цифр в индивидуальном коде доступа - 3", "3 digits in individual access code"},
     {"Кол-во цифр в индивидуальном коде доступа - 4", "4 digits in individual access code"},
     {"Кол-во цифр в индивидуальном коде доступа (выбрано - 3 /пусто - 4)",
      "Quantity digits in individual access code (selected - 3 /deselected - 4)"}},
    {"CB7", 1, {"Разрешение общего кода доступа", "enable general access code"},
     {"запрет общего кода доступа", "disable general access code"},
     {"Разрешение/запрет общего кода доступа (выбрано - разрешено/ пусто - запрещено)",
      "Enable/disable general access code (selected - enabled/ deselected - disabled)"}},
    {"CB8", 0, {"Кол-во цифр в общем коде доступа - 3", "3 digits in general access code"},
     {"Кол-во цифр в общем коде доступа - 4", "4 digits in general access code"},
     {"Кол-во цифр в общем коде доступа (выбрано - 3/пусто - 4)",
      "Quantity of digits in general access code (selected - 3/deselected - 4)"}},
}};

constexpr Bilingual ApartmentHeader{"№ кв.", "N ap."};
constexpr Bilingual CodeHeader{"инд. код", "ind. code"};
constexpr Bilingual KeyHeader{"ключ", "key"};

struct LabelText {
    const char* name;
    Bilingual text;
    bool systemKeysOnly; // written by ShowPKU512TPage only
};
constexpr std::array<LabelText, 8> Labels{{
    {"Label1", {"Пароль сервисный", "service password"}, false},
    {"Label25", {"Пароль системный", "system password"}, false},
    {"Label3", {"Общий код", "general code"}, false},
    {"GroupBox3", {"Конфигурация", "Configuration"}, false},
    {"Label31", {"Системные ключи", "System keys"}, true},
    {"Label32", {"Время открывания замка", "unlocked state"}, true},
    {"Label33", {"Уровень громкости", "volume"}, true},
    {"Label34", {"Консьерж", "concierge"}, true},
}};

QLabel* NamedLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

ApartmentPage::ApartmentPage(PageContext& context, QWidget* parent) : Page(QStringLiteral("TabSheet1"), context, parent)
{
    SGrid1 = new StringGrid(QStringLiteral("SGrid1"), 2 + KeysPerApartment, 2, this);
    // Wide enough for every column, so a row shows an apartment whole.
    const QFontMetrics metrics = SGrid1->fontMetrics();
    const int padding = 16;
    SGrid1->setColumnWidth(0, metrics.horizontalAdvance(QStringLiteral("N ap.000")) + padding);
    SGrid1->setColumnWidth(1, metrics.horizontalAdvance(QStringLiteral("ind. code")) + padding);
    for (int column = 2; column < SGrid1->columnCount(); ++column)
        SGrid1->setColumnWidth(column, metrics.horizontalAdvance(QStringLiteral("DD DD DD")) + padding);
    int gridWidth = 2 * SGrid1->frameWidth() + SGrid1->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2;
    for (int column = 0; column < SGrid1->columnCount(); ++column) gridWidth += SGrid1->columnWidth(column);
    SGrid1->setMinimumWidth(gridWidth);
    SGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(SGrid1, &StringGrid::Entered, this, [this] { context_.inputTarget = 1; });

    MaskEdit1 = new MaskEdit(QStringLiteral("MaskEdit1"), MaskEdit::Digits::Four, this);
    MaskEdit2 = new MaskEdit(QStringLiteral("MaskEdit2"), MaskEdit::Digits::Four, this);
    MaskEdit3 = new MaskEdit(QStringLiteral("MaskEdit3"), MaskEdit::Digits::Four, this);
    Label1 = NamedLabel("Label1", this);
    Label25 = NamedLabel("Label25", this);
    Label3 = NamedLabel("Label3", this);

    GroupBox3 = new QGroupBox(this);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    auto* groupLayout = new QVBoxLayout(GroupBox3);
    for (std::size_t i = 0; i < ConfigBoxes.size(); ++i) {
        boxes_[i] = new ConfigCheckBox(ConfigBoxes[i], context_, GroupBox3);
        groupLayout->addWidget(boxes_[i]);
    }
    CB4 = boxes_[2];
    CB4->SetAfterClick([this](bool checked) { CB4Click(checked); });

    StringGrid1 = new StringGrid(QStringLiteral("StringGrid1"), 2, 1 + SystemKeys, GroupBox3);
    StringGrid1->setColumnWidth(0, 40);
    StringGrid1->setFixedHeight(StringGrid1->rowHeight(0) * (1 + SystemKeys) + 2 * StringGrid1->frameWidth());
    StringGrid1->setFixedWidth(40 + StringGrid1->columnWidth(1) + 2 * StringGrid1->frameWidth());
    connect(StringGrid1, &StringGrid::Entered, this, &ApartmentPage::StringGrid1Enter);
    // The system key table takes no typing: a key only makes it repaint.
    StringGrid1->SetKeyHandler([this](QKeyEvent&, KeyPhase) {
        StringGrid1->viewport()->update();
        return false;
    });
    Label31 = NamedLabel("Label31", GroupBox3);
    Label32 = NamedLabel("Label32", GroupBox3);
    Label33 = NamedLabel("Label33", GroupBox3);
    Label34 = NamedLabel("Label34", GroupBox3);
    using Input = SettingSpinEdit::Input;
    IntercomStore& store = context_.store;
    CSpinEdit5 = new SettingSpinEdit(QStringLiteral("CSpinEdit5"), {1, 20, 5}, Input::ButtonsAndDigits,
                                     [&store](int value) { store.Record.LockTime = static_cast<std::uint8_t>(value); },
                                     GroupBox3);
    CSpinEdit6 = new SettingSpinEdit(QStringLiteral("CSpinEdit6"), {1, 9, 7}, Input::ButtonsAndDigits,
                                     [&store](int value) { store.Record.Volume = static_cast<std::uint8_t>(value); },
                                     GroupBox3);
    // The concierge apartment of type 9 is the record's concierge number, which its chip carries;
    // the field shows what the chip will get.
    CSpinEdit7 = new SettingSpinEdit(QStringLiteral("CSpinEdit7"), {1, 400, 1}, Input::ButtonsAndDigits,
                                     [&store](int value) { store.Record.ConciergeNumber = value; }, GroupBox3);

    auto* settings = new QGridLayout;
    settings->addWidget(Label31, 0, 0, Qt::AlignTop);
    settings->addWidget(StringGrid1, 0, 1);
    settings->addWidget(Label32, 1, 0);
    settings->addWidget(CSpinEdit5, 1, 1, Qt::AlignLeft);
    settings->addWidget(Label33, 2, 0);
    settings->addWidget(CSpinEdit6, 2, 1, Qt::AlignLeft);
    settings->addWidget(Label34, 3, 0);
    settings->addWidget(CSpinEdit7, 3, 1, Qt::AlignLeft);
    settings->setColumnStretch(2, 1);
    groupLayout->addLayout(settings);
    groupLayout->addStretch();

    auto* fields = new QGridLayout;
    fields->addWidget(Label1, 0, 0);
    fields->addWidget(MaskEdit1, 0, 1);
    fields->addWidget(Label25, 1, 0);
    fields->addWidget(MaskEdit2, 1, 1);
    fields->addWidget(Label3, 2, 0);
    fields->addWidget(MaskEdit3, 2, 1);
    fields->setColumnStretch(2, 1);

    auto* side = new QVBoxLayout;
    side->addLayout(fields);
    side->addWidget(GroupBox3, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(SGrid1);
    layout->addLayout(side, 1);
}

void ApartmentPage::RunFill(Fill fill)
{
    if (fill == Fill::PKU512T) ShowPKU512TPage();
    else ShowT150Page();
}

void ApartmentPage::ShowT150Page() { ShowPage(Variant::T150); }

void ApartmentPage::ShowPKU512TPage() { ShowPage(Variant::PKU512T); }

void ApartmentPage::ShowPage(Variant variant)
{
    setUpdatesEnabled(false);
    ShowTypeControls(variant);
    FillApartments();
    if (variant == Variant::PKU512T) FillSystemKeys();
    const TIntercomData& record = context_.store.Record;
    MaskEdit1->setText(FourDigitText(record.ServicePassword));
    MaskEdit2->setText(FourDigitText(record.SystemPassword));
    MaskEdit3->setText(FourDigitText(record.GeneralCode));
    ShowTabSheet1Configuration();
    if (variant == Variant::PKU512T) {
        CSpinEdit5->ShowValue(record.LockTime);
        CSpinEdit6->ShowValue(record.Volume);
        CSpinEdit7->ShowValue(record.ConciergeNumber);
    }
    WriteLabels(variant);
    setUpdatesEnabled(true);
}

void ApartmentPage::ShowTypeControls(Variant variant)
{
    const bool systemKeys = variant == Variant::PKU512T;
    for (QWidget* widget : std::initializer_list<QWidget*>{StringGrid1, Label31, Label32, Label33, Label34,
                                                          CSpinEdit5, CSpinEdit6, CSpinEdit7})
        widget->setHidden(!systemKeys);
    boxes_[0]->show(); // CB2
    CB4->setHidden(systemKeys);
}

void ApartmentPage::FillApartments()
{
    const Language language = context_.language();
    QStringList header{ApartmentHeader.in(language), CodeHeader.in(language)};
    for (int key = 1; key <= KeysPerApartment; ++key)
        header << KeyHeader.in(language) + QLatin1Char(' ') + QString::number(key);
    SGrid1->BeginRows(header);

    const TIntercomData& record = context_.store.Record;
    QStringList row;
    for (int apartment = 0; apartment < Apartments; ++apartment) {
        row.clear();
        row << QString::number(apartment) << FourDigitText(record.Codes[apartment]);
        for (int key = 0; key < KeysPerApartment; ++key)
            row << KeyText(record.KeySlots[apartment * KeysPerApartment + key]);
        SGrid1->AppendRow(row);
    }
}

void ApartmentPage::FillSystemKeys()
{
    StringGrid1->SetCell(0, 0, QString());
    StringGrid1->SetCell(1, 0, KeyHeader.in(context_.language()));
    for (int key = 0; key < SystemKeys; ++key) {
        StringGrid1->SetCell(0, key + 1, QString::number(key + 1));
        StringGrid1->SetCell(1, key + 1, KeyText(context_.store.Record.HeaderKeySlots[key]));
    }
}

void ApartmentPage::ShowTabSheet1Configuration()
{
    const bool hasConfiguration = context_.currentType() != DeviceTypes::PKU511;
    GroupBox3->setHidden(!hasConfiguration);
    for (ConfigCheckBox* box : boxes_)
        if (box != CB4) box->setHidden(!hasConfiguration);
    for (ConfigCheckBox* box : boxes_)
        if (!box->isHidden()) box->ShowFromRecord();
}

void ApartmentPage::WriteLabels(Variant variant)
{
    const Language language = context_.language();
    for (const LabelText& label : Labels) {
        if (label.systemKeysOnly && variant != Variant::PKU512T) continue;
        const QString text = label.text.in(language);
        QObject* control = findChild<QObject*>(QString::fromLatin1(label.name));
        if (auto* asLabel = qobject_cast<QLabel*>(control)) asLabel->setText(text);
        else if (auto* group = qobject_cast<QGroupBox*>(control)) group->setTitle(text);
    }
}

void ApartmentPage::StringGrid1Enter() { context_.inputTarget = 2; }

void ApartmentPage::CB4Click(bool checked) { context_.store.Record.LockTime = checked ? 5 : 1; }
