#include "shell/DisketteDrive.h"

#include "shell/QtUserInterface.h"
#include "show/DirectDisk.h"
#include "show/RemovableDrives.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace lumora {

namespace {

constexpr const char* kImageFilter = "Diskette images (*.img *.ima *.flp);;All files (*)";

QString Decoded(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string Encoded(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString DefaultChooser(QWidget* parent, bool forSaving)
{
    const QString filter = QString::fromLatin1(kImageFilter);
    if (forSaving)
        return QFileDialog::getSaveFileName(parent, QObject::tr("New Blank Diskette Image"), QString(), filter);
    return QFileDialog::getOpenFileName(parent, QObject::tr("Choose a Diskette Image"), QString(), filter);
}

} // namespace

std::string DriveAForRun(const std::optional<std::string>& commandLineOption, const QSettings* settings)
{
    const std::string stored = settings ? Encoded(settings->value(QString::fromLatin1(kSettingDriveA)).toString()) : "";
    return ResolveDriveAPath(commandLineOption, stored);
}

void StoreDriveA(QSettings* settings, const std::string& path)
{
    if (settings)
        settings->setValue(QString::fromLatin1(kSettingDriveA), Decoded(path));
}

TfmDisketteDrive::TfmDisketteDrive(IUserInterface& ui, std::string sysfsRoot, const QString& current, QWidget* parent)
    : QDialog(parent), m_ui(ui), m_sysfsRoot(std::move(sysfsRoot)), m_chooseFile(DefaultChooser)
{
    setObjectName(QStringLiteral("fmDisketteDrive"));
    setWindowTitle(tr(kDisketteDriveCaption));
    setModal(true);

    auto* intro = new QLabel(tr("Drive A, which Read Show Disk and Write Show Disk use, is:"), this);

    m_optDrive = new QRadioButton(tr("A &removable drive of this computer:"), this);
    m_optDrive->setObjectName(QStringLiteral("optDrive"));
    m_optDrive->setAccessibleName(tr("A removable drive"));

    m_drives = new QStandardItemModel(0, 3, this);
    m_drives->setHorizontalHeaderLabels({tr("Drive"), tr("Model"), tr("Disk")});
    m_grdDrives = new QTableView(this);
    m_grdDrives->setObjectName(QStringLiteral("grdDrives"));
    m_grdDrives->setAccessibleName(tr("Removable drives"));
    m_grdDrives->setModel(m_drives);
    m_grdDrives->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdDrives->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdDrives->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdDrives->verticalHeader()->hide();
    m_grdDrives->horizontalHeader()->setStretchLastSection(false);
    m_grdDrives->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_grdDrives->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_grdDrives->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    m_grdDrives->setMinimumHeight(110);

    m_btnRefresh = new QPushButton(tr("Re&fresh"), this);
    m_btnRefresh->setObjectName(QStringLiteral("btnRefresh"));
    m_btnRefresh->setAccessibleName(tr("Refresh the list of drives"));

    m_optImage = new QRadioButton(tr("A 1.44 MB diskette &image file:"), this);
    m_optImage->setObjectName(QStringLiteral("optImage"));
    m_optImage->setAccessibleName(tr("A diskette image file"));
    m_edtImage = new QLineEdit(this);
    m_edtImage->setObjectName(QStringLiteral("edtImage"));
    m_edtImage->setAccessibleName(tr("Diskette image file"));
    m_btnBrowse = new QPushButton(tr("&Browse..."), this);
    m_btnBrowse->setObjectName(QStringLiteral("btnBrowse"));
    m_btnBrowse->setAccessibleName(tr("Browse for a diskette image"));
    m_btnNewImage = new QPushButton(tr("&New Blank Diskette Image..."), this);
    m_btnNewImage->setObjectName(QStringLiteral("btnNewImage"));
    m_btnNewImage->setAccessibleName(tr("New Blank Diskette Image"));

    m_btnOK = new QPushButton(tr("OK"), this);
    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnOK->setDefault(true);
    m_btnCancel = new QPushButton(tr("Cancel"), this);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* driveButtons = new QHBoxLayout;
    driveButtons->addStretch();
    driveButtons->addWidget(m_btnRefresh);
    auto* imageRow = new QHBoxLayout;
    imageRow->addWidget(m_edtImage, 1);
    imageRow->addWidget(m_btnBrowse);
    auto* newImageRow = new QHBoxLayout;
    newImageRow->addStretch();
    newImageRow->addWidget(m_btnNewImage);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnOK);
    buttons->addWidget(m_btnCancel);

    // The controls of each choice sit indented under its radio button.
    auto* driveBox = new QVBoxLayout;
    driveBox->setContentsMargins(22, 0, 0, 0);
    driveBox->addWidget(m_grdDrives, 1);
    driveBox->addLayout(driveButtons);
    auto* imageBox = new QVBoxLayout;
    imageBox->setContentsMargins(22, 0, 0, 0);
    imageBox->addLayout(imageRow);
    imageBox->addLayout(newImageRow);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addSpacing(4);
    layout->addWidget(m_optDrive);
    layout->addLayout(driveBox, 1);
    layout->addSpacing(8);
    layout->addWidget(m_optImage);
    layout->addLayout(imageBox);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    resize(500, 380);

    connect(m_btnRefresh, &QPushButton::clicked, this, &TfmDisketteDrive::refresh);
    connect(m_btnBrowse, &QPushButton::clicked, this, &TfmDisketteDrive::browse);
    connect(m_btnNewImage, &QPushButton::clicked, this, &TfmDisketteDrive::newBlankImage);
    connect(m_btnOK, &QPushButton::clicked, this, &TfmDisketteDrive::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &TfmDisketteDrive::reject);
    connect(m_grdDrives->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (m_grdDrives->selectionModel()->hasSelection())
            m_optDrive->setChecked(true);
    });
    connect(m_edtImage, &QLineEdit::textEdited, this, [this] { m_optImage->setChecked(true); });

    refresh();
    if (!current.isEmpty() && !current.startsWith(QStringLiteral("/dev/"))) {
        m_edtImage->setText(current);
        m_optImage->setChecked(true);
    } else {
        selectDevice(current);
        m_optDrive->setChecked(true);
    }
}

void TfmDisketteDrive::refresh()
{
    const QString selected =
        m_grdDrives->selectionModel()->hasSelection()
            ? m_drives->item(m_grdDrives->selectionModel()->selectedRows().front().row(), 0)->text()
            : QString();
    m_drives->setRowCount(0);
    for (const TRemovableDrive& drive : ListRemovableDrives(m_sysfsRoot)) {
        QList<QStandardItem*> row{new QStandardItem(Decoded(drive.device)), new QStandardItem(ToQString(drive.model)),
                                  new QStandardItem(ToQString(MediumSizeText(drive.bytes)))};
        m_drives->appendRow(row);
    }
    if (!selected.isEmpty())
        selectDevice(selected);
}

void TfmDisketteDrive::selectDevice(const QString& device)
{
    for (int row = 0; row < m_drives->rowCount(); ++row)
        if (m_drives->item(row, 0)->text() == device) {
            m_grdDrives->selectRow(row);
            return;
        }
}

void TfmDisketteDrive::browse()
{
    const QString path = m_chooseFile(this, false);
    if (path.isEmpty())
        return;
    m_edtImage->setText(path);
    m_optImage->setChecked(true);
}

void TfmDisketteDrive::newBlankImage()
{
    const QString path = m_chooseFile(this, true);
    if (path.isEmpty())
        return;
    std::string why;
    if (!CreateBlankDisketteImage(Encoded(path), &why)) {
        m_ui.error(QString::fromLatin1(kMsgImageNotWritten).arg(path).toStdString() +
                   (why.empty() ? "" : " (" + why + ")"));
        return;
    }
    m_edtImage->setText(path);
    m_optImage->setChecked(true);
}

void TfmDisketteDrive::accept()
{
    if (m_optImage->isChecked()) {
        const QString path = m_edtImage->text().trimmed();
        const QFileInfo info(path);
        if (path.isEmpty()) {
            m_ui.error(kMsgChooseDrive);
            return;
        }
        if (!info.exists()) {
            m_ui.error(QString::fromLatin1(kMsgImageNotFound).arg(path).toStdString());
            return;
        }
        if (!info.isFile() || static_cast<std::uint64_t>(info.size()) != kDisketteBytes) {
            m_ui.error(QString::fromLatin1(kMsgNotAnImage).arg(path).toStdString());
            return;
        }
        m_chosen = info.absoluteFilePath();
    } else {
        const QModelIndexList rows = m_grdDrives->selectionModel()->selectedRows();
        if (rows.isEmpty()) {
            m_ui.error(kMsgChooseDrive);
            return;
        }
        m_chosen = m_drives->item(rows.front().row(), 0)->text();
    }
    QDialog::accept();
}

} // namespace lumora
