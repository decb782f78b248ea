#pragma once

// The busy pointer over the whole application while a command runs. Setting it
// twice and restoring it once leaves the normal pointer: the override cursor
// is never stacked.
class TPointeurOccupe {
public:
    TPointeurOccupe() = default;
    TPointeurOccupe(const TPointeurOccupe&) = delete;
    TPointeurOccupe& operator=(const TPointeurOccupe&) = delete;
    ~TPointeurOccupe();

    void occupe();
    void normal();
    bool estOccupe() const { return occupe_; }

private:
    bool occupe_ = false;
};
