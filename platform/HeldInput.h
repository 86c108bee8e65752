#pragma once

// While one of these lives, processOthers() runs the event loop's pending work but leaves
// the operator's input in the window system's queue. The toolkit looks at that queue
// again only after the event loop is woken, and merely ending the exclusion wakes
// nothing: the held input would wait for the next pointer move. So the end of the hold
// wakes the loop, and what was held is handled at once.
class HeldInput {
public:
    HeldInput() = default;
    ~HeldInput();
    HeldInput(const HeldInput&) = delete;
    HeldInput& operator=(const HeldInput&) = delete;

    void processOthers();
};
