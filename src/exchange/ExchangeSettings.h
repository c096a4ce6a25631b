#pragma once

#include <QString>

// The connection fields of the settings record that the exchange takes over, under the
// record's own names, so that the record itself can be passed wherever this is taken.
struct ExchangeSettings {
    QString WorkFolder;
    QString TempPictureFolder;
    QString PathPicture;
    QString ConnectHostWWW;
    QString ConnectUserNameWWW;
    QString ConnectPasswordWWW;
    bool ConnectPassive = false;
    int ConnectPortWWW = 80;
    QString ProxyHost;
    int ProxyPort = 0;
    QString ProxyUserName;
    QString ProxyPassword;
    bool UseSocks = false;

    // Copies the connection fields from any record that has them (the settings record).
    template <class Record> static ExchangeSettings from(const Record &r)
    {
        ExchangeSettings s;
        s.WorkFolder = r.WorkFolder;
        s.TempPictureFolder = r.TempPictureFolder;
        s.PathPicture = r.PathPicture;
        s.ConnectHostWWW = r.ConnectHostWWW;
        s.ConnectUserNameWWW = r.ConnectUserNameWWW;
        s.ConnectPasswordWWW = r.ConnectPasswordWWW;
        s.ConnectPassive = r.ConnectPassive;
        s.ConnectPortWWW = r.ConnectPortWWW;
        s.ProxyHost = r.ProxyHost;
        s.ProxyPort = r.ProxyPort;
        s.ProxyUserName = r.ProxyUserName;
        s.ProxyPassword = r.ProxyPassword;
        s.UseSocks = r.UseSocks;
        return s;
    }
};
