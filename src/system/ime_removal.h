#pragma once

// Taking this IME back out of Windows: its keyboard layouts are the ones whose
// "Ime File" names its module "lanzhu4.ime", bare or in a system directory
// the installation put it into, in every registry view the installation wrote.

// Whether any such layout is registered.
bool ImeLayoutsRegistered();

// Takes the layouts out of every loaded profile's preload list (closing the
// gaps), unloads them from this session where Windows allows it, and deletes
// their keys; layouts of other IMEs and keyboards stay as they are. Notes what
// stays as the run's failure.
void RemoveImeLayouts();
