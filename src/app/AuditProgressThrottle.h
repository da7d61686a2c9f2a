#pragma once

// Which progress reports of one inventory scan reach the window: the first
// (0) and the last (completed == total) always, in between only once at
// least a fortieth of the total has been scanned since the last one passed
// (every report below 80 applications). One value per scan; it is asked on
// the scanning thread only.
class AuditProgressThrottle {
public:
    // Whether this report is passed on; a passed report becomes the last one.
    bool shouldPost(int completed, int total)
    {
        const int step = total >= 80 ? total / 40 : 1;
        if (completed != 0 && completed != total && completed - m_lastPosted < step)
            return false;
        m_lastPosted = completed;
        return true;
    }

private:
    int m_lastPosted = -1;
};
