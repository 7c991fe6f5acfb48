// The About box: the credit text, the program's icon, an OK button and the version band.
#pragma once

#include <QDialog>

namespace kalido {

class ScreenMetrics;

class AboutForm : public QDialog {
public:
    AboutForm(const ScreenMetrics& screen, QWidget* parent);
    ~AboutForm() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* aboutText_;
};

} // namespace kalido
