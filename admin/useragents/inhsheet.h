// What a page built on CInhPropertyPg asks of the sheet it sits in, beyond
// a property sheet's own calls: the controls that must not be used while a
// page holds unsaved edits, and whether the sheet's Reset is running (a page
// made during the Reset loads its record at once, before it is reset). The
// page finds the sheet as its parent when its window is made; a sheet
// without this interface offers neither.
#pragma once

class QWidget;

class CInhSheet {
public:
    // A control that is enabled only while no page holds unsaved edits
    // (the class-of-service choice: changing it reloads the box).
    virtual void RegisterControl(QWidget *window) = 0;
    virtual void EnableAllControls(bool enable) = 0;
    virtual bool IsResetting() const = 0;
    // A page asked for this box (the administrator typed its number): its
    // reply is to be loaded, not taken for a late one.
    virtual void AwaitBox(long number) = 0;

protected:
    ~CInhSheet() = default;
};
