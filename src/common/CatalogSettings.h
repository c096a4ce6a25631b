#pragma once

#include <QString>
#include <QtGlobal>

// The program's working paths, fixed file names and user settings: one record for the whole
// run. Start-up fills it, the settings dialog edits it, every other layer only reads it.
// Field names are those the catalog has always used; folders keep a trailing separator.
struct CatalogSettings {
    QString PicturesListFileName;
    QString PriceArchiveFileName;
    QString PriceFileName;
    QString ClassFileName;
    QString MainFileName;
    QString DocFileName;
    QString WorkFolder;
    QString TempPictureFolder;
    QString ConfigFileName;
    int IsImportOnStart = 0;    // > 0: import the export files at every start
    int IsInputKolByWindow = 0; // > 0: quantities go through the quantity dialog
    QString PathPicture;
    QString PathBase;
    QString PriceExportFileName;
    QString ClassExportFileName;

    // The supplier.
    QString PostName;
    QString PostAdress;
    QString PostInn;
    QString PostKpp;
    QString PostContactFace;
    QString PostTels;
    QString MailForsend;

    // The customer (the user's organisation).
    QString Orgname;
    QString OrgAdress;
    QString OrgInn;
    QString OrgKpp;
    QString OrgContactFace;
    QString OrgTels;
    QString OrgMail;

    QString ConnectHostWWW;
    QString ConnectUserNameWWW;
    QString ConnectPasswordWWW;
    bool ConnectPassive = false;
    int ConnectPortWWW = 0;
    QString ProxyHost;
    int ProxyPort = 0;
    QString ProxyUserName;
    QString ProxyPassword;
    quint8 ProxyKind = 0; // FTP proxy kind code: 0, 1-5 or 8; stored and edited only
    bool UseSocks = false;

    // Set when the settings file did not exist at start; cleared when the settings dialog closes.
    bool FirstRun = false;

    bool operator==(const CatalogSettings &) const = default;
};
