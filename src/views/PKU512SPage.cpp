#include "views/PKU512SPage.h"

#include "views/MaskEdit.h"
#include "views/PageParts.h"

#include <QLabel>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

constexpr std::array<const char*, 5> FillOrder{"CB79", "CB77", "CB74", "CB72", "CB70"};

using Input = SettingSpinEdit::Input;
// In fill order, each with the label beside it.
constexpr std::array<SpinSpec, 3> SpinEdits{{
    {"CSpinEdit3", {0, 199, 0}, Input::ButtonsOnly, SpinValue::ConciergeNumber},
    {"CSpinEdit2", {1, 20, 1}, Input::ButtonsOnly, SpinValue::LockTime},
    {"CSpinEdit4", {1, 9, 7}, Input::ButtonsOnly, SpinValue::Volume},
}};
constexpr std::array<const char*, 3> SpinLabels{"Label22", "Label21", "Label23"};

constexpr std::array<LabelText, 8> Labels{{
    {"GroupBox7", {"Конфигурация PKU512S", "Configuration PKU512S"}},
    {"Label4", {"Пароль сервисный", "Service password"}},
    {"Label24", {"Пароль системный", "System password"}},
    {"Label19", {"Общий код", "General code"}},
    {"Label23", {"Уровень громкости", "volume"}},
    {"Label22", {"Номер квартиры консьержа", "concierge apartment number"}},
    {"Label21", {"Установка времени открывания замка, сек", "unlocked state, sec"}},
    {"Label20", {"Системные ключи", "System keys"}},
}};

} // namespace

PKU512SPage::PKU512SPage(Session& session, QWidget* parent) : Page(PageId::TabSheet7, session, parent)
{
    QWidget* content = Content();
    SGrid9 = AddGrid(TableId::SGrid9, content);
    SGrid9->FitToContent(); // twelve keys are wider than the window: the table scrolls

    SGrid10 = AddGrid(TableId::SGrid10, content);
    SGrid10->setFixedSize(SGrid10->FitToContent(),
                          SGrid10->rowHeight(0) * SGrid10->rowCount() + 2 * SGrid10->frameWidth());

    auto* fields = new QGridLayout;
    AddMaskField(*fields, 0, FieldId::MaskEdit14, "Label4", content);
    AddMaskField(*fields, 1, FieldId::MaskEdit15, "Label24", content);
    AddMaskField(*fields, 2, FieldId::MaskEdit16, "Label19", content);
    fields->addWidget(NamedLabel("Label20", content), 0, 3, Qt::AlignTop);
    fields->addWidget(SGrid10, 0, 4, 4, 1, Qt::AlignTop);
    fields->setRowStretch(3, 1);

    GroupBox7 = new ConfigGroup("GroupBox7", PageSettings::PKU512SConfigBoxes(), session_, content);
    auto* settings = new QGridLayout;
    for (std::size_t i = 0; i < SpinEdits.size(); ++i) {
        spinEdits_[i] = MakeSpinEdit(SpinEdits[i], session_, GroupBox7);
        settings->addWidget(NamedLabel(SpinLabels[i], GroupBox7), static_cast<int>(i), 0);
        settings->addWidget(spinEdits_[i], static_cast<int>(i), 1, Qt::AlignLeft);
    }
    settings->setColumnStretch(2, 1);
    static_cast<QVBoxLayout*>(GroupBox7->layout())->addLayout(settings);

    auto* below = new QHBoxLayout;
    below->addLayout(fields);
    below->addWidget(GroupBox7, 1);

    auto* layout = new QVBoxLayout(content);
    layout->addWidget(SGrid9, 1);
    layout->addLayout(below);
}

void PKU512SPage::ShowPKU512SPage()
{
    SGrid9->Fill();
    SGrid10->Fill();
    const TIntercomData& record = session_.Store().Record;
    ShowFields();
    WriteLabels(*this, Labels, session_.CurrentLanguage());
    GroupBox7->ShowFromRecord(FillOrder);
    for (std::size_t i = 0; i < SpinEdits.size(); ++i)
        spinEdits_[i]->ShowValue(SpinRecordValue(record, SpinEdits[i].value));
}
