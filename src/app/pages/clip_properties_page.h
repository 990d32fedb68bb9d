#pragma once

#include <QWidget>
#include <optional>

class QFrame;
class QLabel;
class QLineEdit;

namespace traxilo {

class MeasurementDocument;
struct ProClipTexts;

// The "Propriétés du clip" page: four framed panels of labels showing the
// facts of the open clip or of a file being previewed, and the one field the
// user types into, the rate the clip was filmed at.
class ClipPropertiesPage : public QWidget {
    Q_OBJECT
public:
    explicit ClipPropertiesPage(const MeasurementDocument& document, QWidget* parent = nullptr);

    void showTexts(const ProClipTexts& texts);
    void showAdaptation(const QString& text); // the display size, "Adaptation : 150%"
    // A clip is open: its capture rate can be typed.
    void enableCaptureRate();

signals:
    // A valid rate typed that changes the one in force (nothing: the clip's
    // own rate). `visit` numbers the visits of the field: the changes of one
    // visit are one step of "Annuler".
    void captureRateTyped(std::optional<long double> rate, int visit);

private:
    void setupCaptureRateField(QFrame* panel);
    void captureRateEdited();
    void captureRateLeft(); // a text that is no rate is said, the rate in force comes back
    void showCaptureRate(); // the field shows the rate in force
    void showTimes();       // after the capture rate changed

    const MeasurementDocument& m_document;
    QLabel* lblFile = nullptr;
    QLabel* lblOctets = nullptr;
    QLabel* lblApercu = nullptr; // why a file browsed cannot be previewed
    QLabel* lblDurTot = nullptr;
    QLabel* lblNbImages = nullptr;
    QLabel* lblPeriode = nullptr;
    QLabel* lblFrequence = nullptr;
    QLabel* lblIntervalles = nullptr;  // smallest and largest interval of a variable rate
    QLabel* lblIrregulieres = nullptr; // the frames whose interval is irregular
    QLabel* lblDimL = nullptr;
    QLabel* lblDimH = nullptr;
    QLabel* lblAdapt = nullptr;
    QLabel* lblDimStockee = nullptr; // the stored picture, when not the one shown
    QLabel* lblRotation = nullptr;   // a phone's display rotation
    QLabel* lblCodec2 = nullptr;
    QLabel* lblCodec3 = nullptr;
    QLineEdit* edCadencePrise = nullptr; // images per second at filming
    int m_visit = 0;
};

} // namespace traxilo
