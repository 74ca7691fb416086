#pragma once

// File > Diskette Drive...: what drive A is, a removable drive the system reports or a
// 1.44 MB diskette image file, and where that choice is kept between runs.

#include "show/UserInterface.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSettings;
class QStandardItemModel;
class QTableView;

namespace lumora {

inline constexpr const char* kDisketteDriveCaption = "Diskette Drive";
inline constexpr const char* kMsgChooseDrive = "Choose a drive from the list, or a diskette image file.";
inline constexpr const char* kMsgImageNotFound = "The diskette image %1 could not be found.";
inline constexpr const char* kMsgNotAnImage =
    "The file %1 is not a 1.44 MB diskette image: it must be exactly 1,474,560 bytes long.";
inline constexpr const char* kMsgImageNotWritten = "The diskette image %1 could not be written.";

// The settings key of the drive chosen here.
inline constexpr const char* kSettingDriveA = "DisketteDrive/driveA";

// Drive A for this run: --drive-a, then LUMORA_DRIVE_A, then the choice kept in settings
// (none: nothing kept), then /dev/fd0.
std::string DriveAForRun(const std::optional<std::string>& commandLineOption, const QSettings* settings);
void StoreDriveA(QSettings* settings, const std::string& path);

class TfmDisketteDrive final : public QDialog {
    Q_OBJECT

public:
    // Asks for a file to open (forSaving false) or to create; empty when cancelled.
    using TFileChooser = std::function<QString(QWidget* parent, bool forSaving)>;

    // current is drive A as it is now: its row is selected, or it is the image shown.
    TfmDisketteDrive(IUserInterface& ui, std::string sysfsRoot, const QString& current, QWidget* parent = nullptr);

    void setFileChooser(TFileChooser chooser) { m_chooseFile = std::move(chooser); }

    // The device or image file chosen, once the dialog closed with OK.
    QString chosenPath() const { return m_chosen; }

    // Lists the removable drives again (a USB floppy plugged in while the dialog is open).
    void refresh();
    // OK: a drive must be selected, or the image must be a 1.44 MB file; else a message
    // says why and the dialog stays.
    void accept() override;

private:
    void browse();
    void newBlankImage();
    void selectDevice(const QString& device);

    IUserInterface& m_ui;
    std::string m_sysfsRoot;
    TFileChooser m_chooseFile;
    QString m_chosen;

    QRadioButton* m_optDrive;
    QRadioButton* m_optImage;
    QStandardItemModel* m_drives;
    QTableView* m_grdDrives;
    QPushButton* m_btnRefresh;
    QLineEdit* m_edtImage;
    QPushButton* m_btnBrowse;
    QPushButton* m_btnNewImage;
    QPushButton* m_btnOK;
    QPushButton* m_btnCancel;
};

} // namespace lumora
