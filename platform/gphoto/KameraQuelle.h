#pragma once

#include "platform/gphoto/KameraOrte.h"
#include "platform/posix/CopyInto.h"

namespace mirbelon {

// libgphoto2's words for `ergebnis` added to error `nummer` at `wo`.
Fehler KameraFehler(int nummer, const QString &wo, int ergebnis);

// The bytes of a camera's file, as they come over the cable.
class KameraQuelle : public posixfs::CopySource
{
public:
    KameraQuelle(KameraOrt ort, FileStamp stempel, QString wo)
        : m_ort(std::move(ort)), m_stempel(stempel), m_wo(std::move(wo))
    {
    }
    FileStamp found() const override { return m_stempel; }
    int pump(int out, posixfs::Hasher &hasher, qint64 &copied, ByteProgress *progress, int out2,
             int *err2) override;
    bool unchanged() override;
    std::optional<Fehler> fault() const override { return m_fault; }

private:
    KameraOrt m_ort;
    FileStamp m_stempel;
    QString m_wo;
    std::optional<Fehler> m_fault;
};

} // namespace mirbelon
