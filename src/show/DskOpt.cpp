#include "show/DskOpt.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumora {

namespace {

QCheckBox* MakeBox(QWidget* parent, const char* objectName, const char* text)
{
    auto* box = new QCheckBox(QString::fromLatin1(text), parent);
    box->setObjectName(QString::fromLatin1(objectName));
    return box;
}

} // namespace

TfmDskOpt::TfmDskOpt(TEditorState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_state(state)
{
    setObjectName(QStringLiteral("fmDskOpt"));
    setWindowTitle(QString::fromLatin1(kShowOptionsCaption));

    m_chkCues = MakeBox(this, "chkCues", "&Cues");
    m_chkSubMasters = MakeBox(this, "chkSubMasters", "&SubMasters");
    m_chkPatches = MakeBox(this, "chkPatches", "&Patches");
    m_chkProfiles = MakeBox(this, "chkProfiles", "Pr&ofiles");
    m_chkEffects = MakeBox(this, "chkEffects", "&Effects");
    m_chkMacros = MakeBox(this, "chkMacros", "&Macros");
    m_chkQuorvel = MakeBox(this, "chkQuorvel", "Quorvel");
    m_chkAll = MakeBox(this, "chkAll", "&All");
    QFont bold = m_chkAll->font();
    bold.setBold(true);
    m_chkAll->setFont(bold);
    QPalette purple = m_chkAll->palette();
    purple.setColor(QPalette::WindowText, QColor(128, 0, 128));
    purple.setColor(QPalette::ButtonText, QColor(128, 0, 128));
    m_chkAll->setPalette(purple);

    m_btnOK = new QPushButton(tr("OK"), this);
    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnOK->setDefault(true);
    m_btnCancel = new QPushButton(tr("Cancel"), this);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* boxes = new QGridLayout;
    boxes->setHorizontalSpacing(32);
    boxes->addWidget(m_chkCues, 0, 0);
    boxes->addWidget(m_chkSubMasters, 1, 0);
    boxes->addWidget(m_chkPatches, 2, 0);
    boxes->addWidget(m_chkProfiles, 3, 0);
    boxes->addWidget(m_chkEffects, 0, 1);
    boxes->addWidget(m_chkMacros, 1, 1);
    boxes->addWidget(m_chkQuorvel, 2, 1);
    boxes->addWidget(m_chkAll, 3, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnOK);
    buttons->addWidget(m_btnCancel);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 12);
    layout->addLayout(boxes);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_chkAll, &QCheckBox::clicked, this, &TfmDskOpt::chkAllClick);
    connect(m_btnOK, &QPushButton::clicked, this, &TfmDskOpt::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &TfmDskOpt::reject);
}

TShowOptions TfmDskOpt::options() const
{
    TShowOptions o;
    o.cues = m_chkCues->isChecked();
    o.subMasters = m_chkSubMasters->isChecked();
    o.patches = m_chkPatches->isChecked();
    o.profiles = m_chkProfiles->isChecked();
    o.effects = m_chkEffects->isChecked();
    o.macros = m_chkMacros->isChecked();
    o.quorvel = m_chkQuorvel->isChecked();
    o.all = m_chkAll->isChecked();
    return o;
}

void TfmDskOpt::setOptions(const TShowOptions& o)
{
    m_chkCues->setChecked(o.cues);
    m_chkSubMasters->setChecked(o.subMasters);
    m_chkPatches->setChecked(o.patches);
    m_chkProfiles->setChecked(o.profiles);
    m_chkEffects->setChecked(o.effects);
    m_chkMacros->setChecked(o.macros);
    m_chkQuorvel->setChecked(o.quorvel);
    m_chkAll->setChecked(o.all);
}

void TfmDskOpt::chkAllClick()
{
    const bool all = m_chkAll->isChecked();
    TShowOptions o = options();
    ApplyAllBox(o, all);
    o.all = all;
    setOptions(o);
    for (QCheckBox* box :
         {m_chkCues, m_chkSubMasters, m_chkPatches, m_chkProfiles, m_chkEffects, m_chkMacros, m_chkQuorvel})
        box->setEnabled(!all);
}

void TfmDskOpt::accept()
{
    ApplyShowOptions(options(), m_state.globals.presence);
    QDialog::accept();
}

} // namespace lumora
