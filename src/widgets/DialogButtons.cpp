#include "widgets/DialogButtons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace lumora {

TDialogButtons MakeDialogButtons(QDialog* dialog, const char* okName, const QString& okText)
{
    TDialogButtons b{};
    b.ok = new QPushButton(okText, dialog);
    b.ok->setObjectName(QString::fromLatin1(okName));
    b.ok->setDefault(true);
    b.cancel = new QPushButton(QDialog::tr("Cancel"), dialog);
    b.cancel->setObjectName(QStringLiteral("btnCancel"));
    QObject::connect(b.cancel, &QPushButton::clicked, dialog, &QDialog::reject);

    b.line = new QHBoxLayout;
    b.line->addStretch();
    b.line->addWidget(b.ok);
    b.line->addWidget(b.cancel);
    b.line->addStretch();
    return b;
}

} // namespace lumora
