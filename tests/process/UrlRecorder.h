// Stands in for the desktop's opener in tests: records every address it is asked to open.
#pragma once

#include <QObject>
#include <QUrl>
#include <QList>

class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> Opened;

public slots:
    void open(const QUrl& url) { Opened << url; }
};
