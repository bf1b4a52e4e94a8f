// The play field's side of the in-play weapon popup (screens/PopupCC.h): when the popup's
// collection exists, when it is refilled, and its part in ticking, drawing, pointer moves and
// clicks while the menu screens are off. Without a popup controller each does nothing.
#pragma once

void PopupInitForNewGame();
void PopupInitForNewLevel();
// The controller's short-of-cash flag (a shown price above the cash); 1 without a controller.
char PopupIsButtonDisabled();
// Keeps the collection while the pointer is over an available shop box and nothing is being
// placed, or while a weapon's window is shown; removes it otherwise. refresh refills a shown one.
void PopupUpdate(char refresh);
// A weapon went up a level: the popup is built again from the new level (not once the garden
// is won).
void PopupWeaponLevelChanged();
void PopupTick();
void PopupRender();
// x, y in window pixels. 1 when the pointer is over the weapon's window.
char PopupMoveMouse(float x, float y, float X, float Y);
// button 0 left, 1 right; 1 when the popup took the click.
char PopupMouseButtonPressed(char button, char state);

// How many times the play field asked for an update (the play-field tests count them).
int &PopupUpdateRequestsForTests();
