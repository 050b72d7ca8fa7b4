#pragma once

// The window that asks for the name of a text style about to be saved: a
// name field and Save and Cancel buttons. Saving with an empty name beeps
// and keeps the window open.

#include <QDialog>

class QLineEdit;

class KLSaveStyleWindow : public QDialog
{
    Q_OBJECT

public:
    explicit KLSaveStyleWindow(QWidget* parent = nullptr);

    QLineEdit* nameField() const { return m_name; }
    // Placed over `mainWindow`: centred across it and 100 pixels above its
    // middle.
    void placeOver(const QWidget* mainWindow);

    void accept() override;

private:
    QLineEdit* m_name;
};
