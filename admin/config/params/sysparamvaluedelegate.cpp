// The value column's editors; see sysparamvaluedelegate.h.
#include "admin/config/params/sysparamvaluedelegate.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

CSysParamValueDelegate::CSysParamValueDelegate(QAbstractItemDelegate *gridDelegate,
                                               std::function<int(int row)> maxDigits, QObject *parent)
    : QStyledItemDelegate(parent), m_gridDelegate(gridDelegate), m_maxDigits(std::move(maxDigits))
{
}

QWidget *CSysParamValueDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                              const QModelIndex &index) const
{
    QWidget *editor = nullptr;
    if (const int digits = m_maxDigits(index.row()); digits > 0) {
        auto *number = new QLineEdit(parent);
        static const QRegularExpression onlyDigits(QStringLiteral("[0-9]*"));
        number->setValidator(new QRegularExpressionValidator(onlyDigits, number));
        number->setMaxLength(digits);
        editor = number;
    } else {
        editor = m_gridDelegate->createEditor(parent, option, index);
    }
    if (editor) {
        emit EditingChanged(true);
        connect(editor, &QObject::destroyed, this, [this] { emit EditingChanged(false); });
    }
    return editor;
}

void CSysParamValueDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    m_gridDelegate->setEditorData(editor, index);
}

void CSysParamValueDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                          const QModelIndex &index) const
{
    // A number opened and closed untouched stays as it came, even when it
    // is longer than the editor takes.
    if (const auto *number = qobject_cast<QLineEdit *>(editor); number && !number->isModified())
        return;
    m_gridDelegate->setModelData(editor, model, index);
}

void CSysParamValueDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                   const QModelIndex &index) const
{
    m_gridDelegate->paint(painter, option, index);
}
