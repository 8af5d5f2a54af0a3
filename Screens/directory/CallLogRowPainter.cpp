#include "Screens/directory/CallLogRowPainter.h"

#include "App/Images.h"
#include "App/controls/Colors.h"
#include "Screens/directory/CallLogListModel.h"
#include "Screens/directory/DirectoryLook.h"

#include <QPainter>

namespace {

constexpr int buttonSize = 28;
constexpr int infoWidth = 118;
constexpr int margin = 16;

} // namespace

QRect CallLogRowPainter::buttonRect(const QRect& rowRect) {
    return {rowRect.right() + 1 - margin - buttonSize, rowRect.top() + (rowRect.height() - buttonSize) / 2,
            buttonSize, buttonSize};
}

int CallLogRowPainter::buttonAt(const QModelIndex& index, const QRect& rowRect, const QPoint& point) const {
    if (index.data(CallLogListModel::IsHeaderRole).toBool() ||
        !index.data(CallLogListModel::EditModeRole).toBool()) {
        return -1;
    }
    return buttonRect(rowRect).contains(point) ? EditButton : -1;
}

void CallLogRowPainter::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    painter->save();
    if (index.data(CallLogListModel::IsHeaderRole).toBool()) {
        DirectoryLook::paintSectionHeader(painter, option.rect, index.data(Qt::DisplayRole).toString());
    } else {
        paintEntry(painter, option.rect, index);
    }
    painter->restore();
}

void CallLogRowPainter::paintEntry(QPainter* painter, const QRect& rect, const QModelIndex& index) const {
    painter->fillRect(rect, Qt::white);
    painter->fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1),
                      Colors::colorWithHexCode(Colors::separator));

    const QColor primary = Colors::colorWithHexCode(DirectoryLook::primaryText);
    const QColor secondary = Colors::colorWithHexCode(DirectoryLook::darkGray);
    const int left = rect.left() + 20;
    const int textWidth = rect.right() + 1 - margin - infoWidth - left;
    DirectoryLook::drawLine(painter, QRect(left, rect.top() + 5, textWidth, 20),
                            index.data(Qt::DisplayRole).toString(), DirectoryLook::font(15), primary);
    DirectoryLook::drawLine(painter, QRect(left, rect.top() + 25, textWidth, 17),
                            index.data(CallLogListModel::CompanyRole).toString(), DirectoryLook::font(13),
                            secondary);
    DirectoryLook::drawLine(painter, QRect(left, rect.top() + 43, textWidth, 17),
                            index.data(CallLogListModel::NumberRole).toString(), DirectoryLook::font(13),
                            primary);

    if (index.data(CallLogListModel::EditModeRole).toBool()) {
        const QRect button = buttonRect(rect);
        painter->drawPixmap(button, Images::named(QStringLiteral("btn_edit"), button.size()));
        return;
    }
    const int infoLeft = rect.right() + 1 - margin - infoWidth;
    DirectoryLook::drawLine(painter, QRect(infoLeft, rect.top() + 5, infoWidth, 19),
                            index.data(CallLogListModel::TimeRole).toString(), DirectoryLook::font(13),
                            primary, Qt::AlignRight);
    DirectoryLook::drawLine(painter, QRect(infoLeft, rect.top() + 25, infoWidth, 17),
                            index.data(CallLogListModel::DurationRole).toString(), DirectoryLook::font(12),
                            secondary, Qt::AlignRight);
    DirectoryLook::drawLine(painter, QRect(infoLeft, rect.top() + 43, infoWidth, 17),
                            index.data(CallLogListModel::TypeRole).toString(), DirectoryLook::font(13),
                            primary, Qt::AlignRight);
}

QSize CallLogRowPainter::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const bool header = index.data(CallLogListModel::IsHeaderRole).toBool();
    return {option.rect.width(), header ? headerHeight : entryHeight};
}
