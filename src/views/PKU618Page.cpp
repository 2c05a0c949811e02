#include "views/PKU618Page.h"

#include "views/MaskEdit.h"
#include "views/PageParts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// The master key field's InputTarget value (the apartment table is 0).
constexpr int MasterKeyTarget = 1;


constexpr SpinSpec LockTimeSpin{"CSpinEdit1", {1, 12, 1}, SettingSpinEdit::Input::ButtonsOnly, SpinValue::LockTimeWord};

constexpr std::array<LabelText, 5> Labels{{
    {"GroupBox4", {"Системная область", "System area"}},
    {"GroupBox2", {"Конфигурация", "Configuration"}},
    {"Label11", {"Номер квартиры консьержа", "apartment number for concierge call"}},
    {"Label14", {"Мастер-ключ", "Master-key"}},
    {"Label2", {"Установка времени открывания замка, сек", "unlocked state, sec"}},
}};

} // namespace

PKU618Page::PKU618Page(Session& session, QWidget* parent) : Page(PageId::TabSheet3, session, parent)
{
    QWidget* content = Content();
    SGrid5 = AddGrid(TableId::SGrid5, content);
    SGrid5->FitToContent(); // thirty keys are wider than the window: the table scrolls

    auto* systemArea = new QGroupBox(content);
    systemArea->setObjectName(QStringLiteral("GroupBox4"));
    auto* systemLayout = new QGridLayout(systemArea);
    AddMaskField(*systemLayout, 0, FieldId::MaskEdit7, "Label11", systemArea);
    QLineEdit* Edit3 = AddKeyField(FieldId::Edit3, InputTargetFamily::PKU618, MasterKeyTarget, systemArea);
    systemLayout->addWidget(NamedLabel("Label14", systemArea), 1, 0);
    systemLayout->addWidget(Edit3, 1, 1);

    GroupBox2 = new ConfigGroup("GroupBox2", PageSettings::PKU618ConfigBoxes(), session_, content);
    auto* lockTime = new QHBoxLayout;
    CSpinEdit1 = MakeSpinEdit(LockTimeSpin, session_, GroupBox2);
    lockTime->addWidget(NamedLabel("Label2", GroupBox2));
    lockTime->addWidget(CSpinEdit1);
    lockTime->addStretch();
    static_cast<QVBoxLayout*>(GroupBox2->layout())->addLayout(lockTime);

    QLabel* caption = NamedLabel("Label29", content);
    caption->setText(QStringLiteral("PKU618"));

    auto* below = new QHBoxLayout;
    below->addWidget(systemArea);
    below->addWidget(GroupBox2);
    below->addWidget(caption, 0, Qt::AlignTop);
    below->addStretch(1);

    auto* layout = new QVBoxLayout(content);
    layout->addWidget(SGrid5, 1);
    layout->addLayout(below);
}

void PKU618Page::ShowPKU618Page()
{
    SGrid5->Fill();
    const TIntercomData& record = session_.Store().Record;
    ShowFields();
    GroupBox2->ShowFromRecord();
    CSpinEdit1->ShowValue(SpinRecordValue(record, LockTimeSpin.value));
    WriteLabels(*this, Labels, session_.CurrentLanguage());
}
