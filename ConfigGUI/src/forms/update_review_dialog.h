#pragma once
// Whether an update is reviewed before it writes (the "ReviewUpdates" setting; on unless
// turned off), and the review itself.
#include "forms/update_review.h"

class QWidget;

namespace forms {

// How an update treats the review.
enum class UpdateReview
{
    AsSettingSays, // reviewed unless the operator turned the review off
    Skip,          // not reviewed: the operator has just confirmed the change, or nobody is there to ask
};

bool reviewWanted();
void setReviewWanted(bool wanted);

// Shows the rows in the review dialog over `parent`; true when the operator chooses
// "Write to Device".
bool reviewAccepted(QWidget &parent, const QList<ReviewRow> &rows);

} // namespace forms
