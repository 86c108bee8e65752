#include "panel/GatedWork.h"

#include "link/PortGate.h"
#include "panel/ActionLock.h"
#include "panel/Form1Controls.h"
#include "panel/PanelState.h"
#include "panel/Polling.h"

GatedWork::GatedWork(Form1Controls& controls, PanelState& state, PortGate& gate, Polling& polling,
                     ActionLock& lock)
    : m_c(controls), m_state(state), m_gate(gate), m_polling(polling), m_lock(lock) {}

void GatedWork::request(std::function<void()> action) {
    m_lock.begin();
    stopPolling();
    whenFree([this, action = std::move(action)] {
        action();
        m_state.release();
        m_lock.end();
    });
}

void GatedWork::run(std::function<void()> work, std::function<void()> then) {
    m_lock.begin();
    stopPolling();
    whenFree([this, work = std::move(work), then = std::move(then)] {
        m_gate.beginPress();
        work();
        m_gate.endPress();
        m_state.release();
        then();
        m_lock.end();
    });
}

void GatedWork::stopPolling() {
    m_state.BloccaTasti();
    m_state.hold();
    // Unticking ends the poll after its running exchange and pause; nothing is sent before.
    m_c.ChkCont->setChecked(false);
}

void GatedWork::whenFree(std::function<void()> task) {
    m_polling.whenStopped([this, task = std::move(task)] {
        if (m_gate.busy())
            m_gate.whenIdle(task);
        else
            task();
    });
}
