// Answers the next modal dialog of a test: a timer waits until a modal
// widget is active, then hands it to the test's answer. A dialog that never
// comes, or an answer that leaves its dialog open, fails the test instead of
// hanging it.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace kv5::testing {

inline void AnswerNextModal(std::function<void(QWidget*)> answer, int timeoutMs = 5000) {
  auto* timer = new QTimer;
  auto waited = std::make_shared<int>(0);
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, waited, answer, timeoutMs] {
    *waited += 10;
    if (QWidget* modal = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      answer(modal);
      // An answer that failed half-way must not leave the test waiting.
      QPointer<QWidget> open(modal);
      QTimer::singleShot(timeoutMs, [open] {
        if (!open || !open->isVisible()) return;
        ADD_FAILURE() << "the answer left " << open->objectName().toStdString() << " open";
        if (auto* dialog = qobject_cast<QDialog*>(open.data()))
          dialog->reject();
        else
          open->close();
      });
      return;
    }
    if (*waited >= timeoutMs) {
      timer->stop();
      timer->deleteLater();
      ADD_FAILURE() << "no modal dialog appeared";
    }
  });
  timer->start();
}

// Clicks the push button of the modal widget with this object name or text.
inline bool ClickButton(QWidget* modal, const QString& nameOrText) {
  for (QPushButton* button : modal->findChildren<QPushButton*>()) {
    if (button->objectName() == nameOrText || button->text() == nameOrText) {
      button->click();
      return true;
    }
  }
  ADD_FAILURE() << "no button " << nameOrText.toStdString();
  if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
  return false;
}

}  // namespace kv5::testing
