#pragma once
// Feedback that a screen reader speaks when it appears. Qt 6.4 has no announcement
// event, and its AT-SPI bridge passes no Alert event on; what screen readers on Linux do
// present is an object of the role "alert" that becomes showing. An announced label
// therefore takes that role, with its text as its name, and each time it is told to show,
// the accessibility bridge hears that it showed and gets an Alert event.

class QLabel;

namespace view::qt {

void makeAnnounced(QLabel *label);
// wasShown: the label was already shown, so Qt itself reports no change.
void announce(QLabel *label, bool wasShown);

} // namespace view::qt
