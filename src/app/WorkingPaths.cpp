#include "app/WorkingPaths.h"

#include "app/SettingsFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString withSlash(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

QString profileFolder(const QProcessEnvironment &env)
{
    return env.value(QStringLiteral("USERPROFILE"));
}

QString dataHome(const QProcessEnvironment &env)
{
    // Relative values are to be ignored, as every XDG reader does.
    const QString xdg = env.value(QStringLiteral("XDG_DATA_HOME"));
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return withSlash(xdg);
    QString home = env.value(QStringLiteral("HOME"));
    if (home.isEmpty())
        home = QDir::homePath();
    return withSlash(home) + QStringLiteral(".local/share/");
}

QString applicationData(const QProcessEnvironment &env)
{
    return withSlash(QDir::fromNativeSeparators(profileFolder(env))) +
           QStringLiteral("Application Data/");
}

} // namespace

QString WorkingFolderFor(const QProcessEnvironment &env)
{
    if (!profileFolder(env).isEmpty())
        return applicationData(env) + QStringLiteral("FerrowCatalog/");
    return dataHome(env) + QStringLiteral("FerrowCatalog/");
}

QString ProgramFolderOf(const QString &programPath)
{
    return withSlash(QFileInfo(programPath).absolutePath());
}

void InitWorkingPaths(CatalogSettings &s, const QProcessEnvironment &env,
                      const QString &programFolder)
{
    const QString work = WorkingFolderFor(env);
    const QString temp = work + QStringLiteral("TempPicture/");
    QDir dir;
    if (!profileFolder(env).isEmpty()) {
        // The profile itself must exist; below it one level at a time.
        for (const QString &folder : {applicationData(env), work, temp})
            if (!QFileInfo::exists(folder))
                dir.mkdir(folder);
    } else {
        dir.mkpath(work);
        dir.mkdir(temp);
    }
    s.WorkFolder = work;
    s.TempPictureFolder = temp;
    s.ConfigFileName = QStringLiteral("FerrowConfig.ini");
    s.PriceFileName = QStringLiteral("Price.lst");
    s.ClassFileName = QStringLiteral("Class.lst");
    s.MainFileName = QStringLiteral("Main.lst");
    s.DocFileName = QStringLiteral("Doc.lst");
    s.PriceExportFileName = QStringLiteral("ExportPrice.csv");
    s.ClassExportFileName = QStringLiteral("ExportClass.csv");
    s.PicturesListFileName = QStringLiteral("pictures.txt.gz");
    s.PriceArchiveFileName = QStringLiteral("ExportToCatalog.zip");
    ReadSettings(s, s.WorkFolder, s.ConfigFileName, programFolder);
}
