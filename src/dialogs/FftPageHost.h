// What a page of the frequency wizard needs of its wizard: the shared model
// and a way to close after a failure that has been shown.
#pragma once

class FftSheetModel;

class CFftPageHost {
public:
    virtual ~CFftPageHost() = default;
    virtual FftSheetModel& Model() = 0;
    virtual void Cancel() = 0;
};
