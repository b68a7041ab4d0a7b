// The handler of tim's tick: enables and disables the controls that follow
// the folder field and the naming condition in tj.
#pragma once

class MainForm;

void UpdateControlStates(MainForm& form);
