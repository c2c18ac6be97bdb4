#pragma once

#include <functional>

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

// Helpers of the offscreen Qt tests (QT_QPA_PLATFORM=offscreen). Header only.
namespace testsupport {

// Types the text into the widget one character at a time, with key events
// that carry the character, so accented letters arrive as typed.
inline void digita(QWidget *widget, const QString &texto)
{
    for (const QChar caractere : texto) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(caractere));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(caractere));
        QApplication::sendEvent(widget, &release);
    }
}

// Waits, inside the event loop the caller is about to enter, for the next
// modal window to appear (one other than the modal window active now) and
// hands it to `resposta`, which must close it. Call it before the code that
// opens the window.
inline void respondeJanelaModal(std::function<void(QWidget *)> resposta)
{
    QWidget *anterior = QApplication::activeModalWidget();
    auto *timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, anterior, resposta = std::move(resposta)] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == anterior)
            return;
        timer->stop();
        timer->deleteLater();
        resposta(modal);
    });
    timer->start(5);
}

} // namespace testsupport
