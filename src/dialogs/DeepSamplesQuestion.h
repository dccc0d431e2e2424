// The question before 8-bit samples are written over a file of 16-bit ones,
// with No as the default button: the safe answer is the one Enter gives.
#pragma once

#include <QString>
#include <QWidget>

// True for Yes.
bool AskWriteOverDeepSamples(QWidget* parent, const QString& question);
