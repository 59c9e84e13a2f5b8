#pragma once

class ParameterMap;
class Prompter;
struct EditState;

// Rows 0..3 and 32..47 share their knobs and labels among the modulation groups and operators.
// An operation that sets them record by record leaves them on whichever group or operator came
// last; this shows the current ones again, without echo or any message to the synth.
void ShowCurrentVariants(ParameterMap& map, EditState& state, Prompter& prompts);
