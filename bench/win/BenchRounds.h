// One round of a comparison: ours and the plain baseline each timed once, the one that runs first
// alternating with the round (odd rounds start with the baseline, so warm caches favour neither),
// and each side's best time kept.
#pragma once

template <class Ours, class Plain>
void BenchRound(int nRound, Ours ours, Plain plain, double& dBestOurs, double& dBestPlain)
{
    double dOurs, dPlain;
    if (nRound % 2)
    {
        dPlain = plain();
        dOurs = ours();
    }
    else
    {
        dOurs = ours();
        dPlain = plain();
    }
    dBestOurs = dOurs < dBestOurs ? dOurs : dBestOurs;
    dBestPlain = dPlain < dBestPlain ? dPlain : dBestPlain;
}
