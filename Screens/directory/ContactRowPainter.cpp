#include "Screens/directory/ContactRowPainter.h"

#include "App/Images.h"
#include "App/controls/Colors.h"
#include "Screens/directory/ContactListModel.h"
#include "Screens/directory/DirectoryLook.h"

#include <QPainter>

namespace {

constexpr int buttonSize = 28;
constexpr int buttonMargin = 16;

void paintButton(QPainter* painter, const QRect& rect, const QString& image) {
    painter->drawPixmap(rect, Images::named(image, rect.size()));
}

} // namespace

QRect ContactRowPainter::buttonRect(const QRect& rowRect, Button which) {
    const int top = rowRect.top() + (rowRect.height() - buttonSize) / 2;
    if (which == LeftButton) {
        return {rowRect.left() + buttonMargin, top, buttonSize, buttonSize};
    }
    return {rowRect.right() + 1 - buttonMargin - buttonSize, top, buttonSize, buttonSize};
}

int ContactRowPainter::textLeft(int mode) {
    return mode == ContactListModel::Edit || mode == ContactListModel::Pick ? 62 : 20;
}

int ContactRowPainter::textWidth(int mode) {
    return mode == ContactListModel::Edit || mode == ContactListModel::Pick ? 270 : 350;
}

int ContactRowPainter::buttonAt(const QModelIndex& index, const QRect& rowRect, const QPoint& point) const {
    if (index.data(ContactListModel::IsHeaderRole).toBool()) {
        return -1;
    }
    const int mode = index.data(ContactListModel::ModeRole).toInt();
    if ((mode == ContactListModel::Edit || mode == ContactListModel::Pick) &&
        buttonRect(rowRect, LeftButton).contains(point)) {
        return LeftButton;
    }
    if (mode == ContactListModel::Edit && buttonRect(rowRect, RightButton).contains(point)) {
        return RightButton;
    }
    return -1;
}

void ContactRowPainter::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    painter->save();
    if (index.data(ContactListModel::IsHeaderRole).toBool()) {
        DirectoryLook::paintSectionHeader(painter, option.rect, index.data(Qt::DisplayRole).toString());
    } else {
        paintContact(painter, option.rect, index);
    }
    painter->restore();
}

void ContactRowPainter::paintContact(QPainter* painter, const QRect& rect, const QModelIndex& index) const {
    const int mode = index.data(ContactListModel::ModeRole).toInt();
    const bool ticked = mode == ContactListModel::Pick && index.data(ContactListModel::TickedRole).toBool();
    painter->fillRect(rect, ticked ? Colors::colorWithHexCode(DirectoryLook::tickedRow) : QColor(Qt::white));
    painter->fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1),
                      Colors::colorWithHexCode(Colors::separator));

    const QString name = index.data(Qt::DisplayRole).toString();
    const QString company = index.data(ContactListModel::CompanyRole).toString();
    const int left = rect.left() + textLeft(mode);
    const int width = std::min(textWidth(mode), rect.right() - left - buttonMargin);
    // Without a company the name takes the middle of the row.
    const QRect nameRect = company.isEmpty() ? QRect(left, rect.top(), width, rect.height())
                                             : QRect(left, rect.top() + 8, width, 22);
    DirectoryLook::drawLine(painter, nameRect, name, DirectoryLook::font(15),
                            Colors::colorWithHexCode(DirectoryLook::primaryText));
    if (!company.isEmpty()) {
        DirectoryLook::drawLine(painter, QRect(left, rect.top() + 30, width, 18), company,
                                DirectoryLook::font(13), Colors::lightGrayColor());
    }

    if (mode == ContactListModel::Edit) {
        paintButton(painter, buttonRect(rect, LeftButton), QStringLiteral("btn_delete"));
        paintButton(painter, buttonRect(rect, RightButton), QStringLiteral("btn_edit"));
    } else if (mode == ContactListModel::Pick) {
        paintButton(painter, buttonRect(rect, LeftButton),
                    ticked ? QStringLiteral("btn_check") : QStringLiteral("btn_uncheck"));
    }
}

QSize ContactRowPainter::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const bool header = index.data(ContactListModel::IsHeaderRole).toBool();
    return {option.rect.width(), header ? headerHeight : contactHeight};
}
