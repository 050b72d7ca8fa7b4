#pragma once

// A folder of photos on disk: the person's Pictures folder, a folder they
// added, or a removable medium. Its top node lists the photos directly in the
// folder and one unpopulated subnode per subfolder; a subnode is listed the
// same way when it is shown. Hidden files and folders are left out.

#include "mediaparser.h"

#include <QStringList>

class FolderParser : public MediaParser
{
public:
    enum class Kind { Pictures, Added, Removable };

    FolderParser(Kind kind, const QString& path, const QString& displayName = {});

    QString className() const override;
    QString instanceKey() const override { return m_path; }
    MediaGroup group() const override { return MediaGroup::Folders; }
    bool canBeUsed() const override;
    bool isRemovable() const override { return m_kind == Kind::Added; }
    // Why the folder cannot be used, empty when it can.
    QString unusableReason() const;

    MediaNode topNode() const override;
    MediaNode populate(const MediaNode& node) const override;

    Kind kind() const { return m_kind; }
    QString path() const { return m_path; }

    // True for the extensions of photos the canvases take (compared
    // case-insensitively).
    static bool isPhotoFile(const QString& fileName);

private:
    MediaNode listFolder(const QString& path, const QString& name) const;

    Kind m_kind;
    QString m_path;
    QString m_displayName;
};
