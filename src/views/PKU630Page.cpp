#include "views/PKU630Page.h"

#include "views/FocusTracker.h"
#include "views/MaskEdit.h"
#include "views/PageParts.h"

#include <QLabel>

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {


constexpr std::array<LabelText, 4> Labels{{
    {"Label10", {"Консьерж", "Concierje"}},
    {"Label9", {"Пароль", "Password"}},
    {"Label5", {"Общий код", "General code"}},
    {"GroupBox1", {"Конфигурация", "Configuration"}},
}};

constexpr int ListWidth = 70;

// Floors 1 to 9 have rooms 01 to 10, floor 10 rooms 01 to 11: 101 ... 110, 201 ... 910, 1001 ... 1011.
QStringList HotelRooms()
{
    QStringList rooms;
    for (int floor = 1; floor <= 10; ++floor)
        for (int room = 1; room <= (floor == 10 ? 11 : 10); ++room) rooms << QString::number(floor * 100 + room);
    return rooms;
}

} // namespace

PKU630Page::PKU630Page(Session& session, QWidget* parent) : Page(PageId::TabSheet4, session, parent)
{
    QWidget* content = Content();
    SGrid4 = AddGrid(TableId::SGrid4, content);
    SGrid4->setFixedWidth(SGrid4->FitToContent());
    connect(SGrid4, &StringGrid::CellSelected, this, &PKU630Page::SGrid4SelectCell);
    // A click on the hotel cell that is already current opens the list again.
    connect(SGrid4, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (column == HotelColumn && CB420M->isHidden()) SGrid4SelectCell(column, row);
    });

    CB420M = new QComboBox(content);
    CB420M->setObjectName(QStringLiteral("CB420M"));
    CB420M->addItems(HotelRooms());
    CB420M->hide();
    connect(CB420M, &QComboBox::activated, this, [this] { CB420MChange(true); });
    listFocus_ = new FocusTracker(*CB420M);
    connect(listFocus_, &FocusTracker::Exited, this, [this] { CB420MChange(false); });

    auto* fields = new QGridLayout;
    AddMaskField(*fields, 0, FieldId::MaskEdit6, "Label10", content);
    AddMaskField(*fields, 1, FieldId::MaskEdit5, "Label9", content);
    AddMaskField(*fields, 2, FieldId::MaskEdit4, "Label5", content);
    fields->setColumnStretch(2, 1);

    GroupBox1 = new ConfigGroup("GroupBox1", PageSettings::PKU630ConfigBoxes(), session_, content);
    GroupBox1->hide();

    auto* side = new QVBoxLayout;
    side->addLayout(fields);
    side->addWidget(GroupBox1);
    side->addStretch(1);

    auto* layout = new QHBoxLayout(content);
    layout->addWidget(SGrid4);
    layout->addLayout(side, 1);
}

// The list may lose the focus while the page's widgets are torn down; that is no choice.
PKU630Page::~PKU630Page() { delete listFocus_; }

void PKU630Page::ShowPKU630Page()
{
    SGrid4->Fill([this](int row) {
        const auto pick = roomPicks_.find(row);
        return pick == roomPicks_.end() ? QString() : pick->second;
    });
    ShowFields();
    GroupBox1->ShowFromRecord();
    WriteLabels(*this, Labels, session_.CurrentLanguage());
}

void PKU630Page::StartDataSet()
{
    roomPicks_.clear();
    CB420M->hide();
    Page::StartDataSet();
}

void PKU630Page::SGrid4SelectCell(int column, int row)
{
    if (column != HotelColumn) {
        CB420M->hide();
        return;
    }
    pickRow_ = row;
    // One pixel inside the cell, as high as the cell leaves room for.
    const QRect cell = SGrid4->visualItemRect(SGrid4->item(row, column));
    const QPoint topLeft = SGrid4->viewport()->mapTo(Content(), cell.topLeft()) + QPoint(1, 1);
    CB420M->setGeometry(QRect(topLeft, QSize(ListWidth, cell.height() - 2)));
    // Rows 102 and below have no room of their own: the list opens with none selected.
    CB420M->setCurrentIndex(row - 1 < CB420M->count() ? row - 1 : -1);
    CB420M->show();
    CB420M->raise();
    CB420M->setFocus();
}

void PKU630Page::CB420MChange(bool picked)
{
    if (CB420M->isHidden()) return;
    if (picked && CB420M->currentIndex() >= 0) {
        roomPicks_[pickRow_] = CB420M->currentText();
        SGrid4->SetCell(HotelColumn, pickRow_, CB420M->currentText());
    }
    CB420M->hide();
    // After a pick the user goes on in the table; a click elsewhere keeps the focus where it went.
    if (picked) SGrid4->setFocus();
}
