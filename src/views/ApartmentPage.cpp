#include "views/ApartmentPage.h"

#include "views/MaskEdit.h"
#include "views/PageParts.h"
#include "model/ControllerTypes.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace {

using Input = SettingSpinEdit::Input;
// The concierge apartment of type 9 is the record's concierge number, which its chip carries;
// the field shows what the chip will get.
constexpr std::array<SpinSpec, 3> SpinEdits{{
    {"CSpinEdit5", {1, 20, 5}, Input::ButtonsAndDigits, SpinValue::LockTime},
    {"CSpinEdit6", {1, 9, 7}, Input::ButtonsAndDigits, SpinValue::Volume},
    {"CSpinEdit7", {1, 400, 1}, Input::ButtonsAndDigits, SpinValue::ConciergeNumber},
}};

constexpr std::array<LabelText, 4> Labels{{
    {"Label1", {"Пароль сервисный", "service password"}},
    {"Label25", {"Пароль системный", "system password"}},
    {"Label3", {"Общий код", "general code"}},
    {"GroupBox3", {"Конфигурация", "Configuration"}},
}};
constexpr std::array<LabelText, 4> SystemKeyLabels{{
    {"Label31", {"Системные ключи", "System keys"}},
    {"Label32", {"Время открывания замка", "unlocked state"}},
    {"Label33", {"Уровень громкости", "volume"}},
    {"Label34", {"Консьерж", "concierge"}},
}};

} // namespace

ApartmentPage::ApartmentPage(Session& session, QWidget* parent) : Page(PageId::TabSheet1, session, parent)
{
    QWidget* content = Content();
    SGrid1 = AddGrid(TableId::SGrid1, content);
    SGrid1->setFixedWidth(SGrid1->FitToContent());

    auto* fields = new QGridLayout;
    AddMaskField(*fields, 0, FieldId::MaskEdit1, "Label1", content);
    AddMaskField(*fields, 1, FieldId::MaskEdit2, "Label25", content);
    AddMaskField(*fields, 2, FieldId::MaskEdit3, "Label3", content);
    fields->setColumnStretch(2, 1);

    GroupBox3 = new ConfigGroup("GroupBox3", PageSettings::ApartmentConfigBoxes(), session_, content);
    CB4 = GroupBox3->Box("CB4");
    CB4->SetAfterClick([this](bool checked) { CB4Click(checked); });

    StringGrid1 = AddGrid(TableId::StringGrid1, GroupBox3);
    StringGrid1->setFixedSize(StringGrid1->FitToContent(),
                              StringGrid1->rowHeight(0) * StringGrid1->rowCount() + 2 * StringGrid1->frameWidth());
    // The system key table takes no typing: a key only makes it repaint.
    StringGrid1->SetKeyHandler([this](QKeyEvent&, KeyPhase) {
        StringGrid1->viewport()->update();
        return false;
    });
    auto* settings = new QGridLayout;
    for (std::size_t i = 0; i < SystemKeyLabels.size(); ++i)
        systemKeyLabels_[i] = NamedLabel(SystemKeyLabels[i].name, GroupBox3);
    settings->addWidget(systemKeyLabels_[0], 0, 0, Qt::AlignTop);
    settings->addWidget(StringGrid1, 0, 1);
    for (std::size_t i = 0; i < SpinEdits.size(); ++i) {
        spinEdits_[i] = MakeSpinEdit(SpinEdits[i], session_, GroupBox3);
        settings->addWidget(systemKeyLabels_[i + 1], static_cast<int>(i) + 1, 0);
        settings->addWidget(spinEdits_[i], static_cast<int>(i) + 1, 1, Qt::AlignLeft);
    }
    settings->setColumnStretch(2, 1);
    static_cast<QVBoxLayout*>(GroupBox3->layout())->addLayout(settings);

    // The fields keep their place at the top whether or not the configuration group shows.
    auto* side = new QVBoxLayout;
    side->addLayout(fields);
    side->addWidget(GroupBox3);
    side->addStretch(1);

    auto* layout = new QHBoxLayout(content);
    layout->addWidget(SGrid1);
    layout->addLayout(side, 1);
}

void ApartmentPage::RunFill(Fill fill)
{
    if (fill == Fill::PKU512T)
        ShowPKU512TPage();
    else
        ShowT150Page();
}

void ApartmentPage::ShowT150Page() { ShowPage(Variant::T150); }

void ApartmentPage::ShowPKU512TPage() { ShowPage(Variant::PKU512T); }

void ApartmentPage::ShowPage(Variant variant)
{
    ShowTypeControls(variant);
    SGrid1->Fill();
    const bool systemKeys = variant == Variant::PKU512T;
    if (systemKeys) StringGrid1->Fill();
    const TIntercomData& record = session_.Store().Record;
    ShowFields();
    ShowTabSheet1Configuration();
    if (systemKeys)
        for (std::size_t i = 0; i < SpinEdits.size(); ++i)
            spinEdits_[i]->ShowValue(SpinRecordValue(record, SpinEdits[i].value));
    WriteLabels(*this, Labels, session_.CurrentLanguage());
    if (systemKeys) WriteLabels(*this, SystemKeyLabels, session_.CurrentLanguage());
}

void ApartmentPage::ShowTypeControls(Variant variant)
{
    const bool systemKeys = variant == Variant::PKU512T;
    StringGrid1->setHidden(!systemKeys);
    for (QLabel* label : systemKeyLabels_) label->setHidden(!systemKeys);
    for (SettingSpinEdit* spin : spinEdits_) spin->setHidden(!systemKeys);
    GroupBox3->Box("CB2")->show();
    CB4->setHidden(systemKeys);
}

void ApartmentPage::ShowTabSheet1Configuration()
{
    const std::optional<TDeviceType> type = session_.CurrentType();
    const bool hasConfiguration = !type || ControllerTypeOf(*type).showsConfiguration;
    GroupBox3->setHidden(!hasConfiguration);
    for (ConfigCheckBox* box : GroupBox3->Boxes())
        if (box != CB4) box->setHidden(!hasConfiguration);
    for (ConfigCheckBox* box : GroupBox3->Boxes())
        if (!box->isHidden()) box->ShowFromRecord();
}

void ApartmentPage::CB4Click(bool checked) { session_.Store().Record.LockTime = checked ? 5 : 1; }
