#!/usr/bin/python3
"""Generates the embedded services INI of the NF-e component from the public
endpoint lists kept in dfe/component/servicos/referencia/.

Run from the repository root:  /usr/bin/python3 scripts/gerar_servicos_ini.py
The output, dfe/component/servicos/QuibNFeServicos.ini, is committed; never
edit it by hand.
"""
import json
import pathlib
import xml.etree.ElementTree as ET

RAIZ = pathlib.Path(__file__).resolve().parent.parent
PASTA = RAIZ / "dfe" / "component" / "servicos"
REFERENCIA = PASTA / "referencia"
SAIDA = PASTA / "QuibNFeServicos.ini"

ESTADOS = ["AC", "AL", "AM", "AP", "BA", "CE", "DF", "ES", "GO", "MA", "MG", "MS", "MT", "PA",
           "PB", "PE", "PI", "PR", "RJ", "RN", "RO", "RR", "RS", "SC", "SE", "SP", "TO"]

# The one fact the lists do not carry: which virtual authoriser serves the
# NF-e of a state without its own entry (the national portal's list).
AUTORIZADOR_NFE = {uf: "SVRS" for uf in ESTADOS}
AUTORIZADOR_NFE["MA"] = "SVAN"

# Section names of the authorisers whose list entry is spelled differently.
NOME_AUTORIZADOR = {"SVCAN": "SVC-AN", "SVCRS": "SVC-RS"}

# Service keys whose element name differs from the key the component asks for.
NOME_CHAVE = {"CscNFCe": "AdministrarCSCNFCe", "RecepcaoEPEC": "EventoEPEC"}

AMBIENTES = [("producao", "P", "1"), ("homologacao", "H", "2")]


def ler_lista(nome):
    """{sigla: {ambiente: [(elemento, versao, endereco)]}} of an endpoint list."""
    lista = {}
    for uf in ET.parse(REFERENCIA / nome).getroot():
        sigla = uf.findtext("sigla").strip()
        lista[sigla] = {}
        for ambiente in uf:
            if ambiente.tag == "sigla":
                continue
            lista[sigla][ambiente.tag] = [(e.tag, e.get("version", ""), (e.text or "").strip())
                                          for e in ambiente]
    return lista


def chaves_de_servico(servicos):
    linhas = []
    for elemento, versao, endereco in servicos:
        if not endereco or elemento == "NfeConsultaQR":
            continue
        linhas.append(f"{NOME_CHAVE.get(elemento, elemento)}_{versao}={endereco}")
    return linhas


def endereco_qrcode(servicos):
    for elemento, _versao, endereco in servicos:
        if elemento == "NfeConsultaQR" and endereco:
            return endereco
    return ""


def secao(nome, linhas):
    return [f"[{nome}]"] + linhas + [""]


def gerar():
    nfe = ler_lista("endpoints-nfe-4.00-model55.xml")
    nfce = ler_lista("endpoints-nfe-4.00-model65.xml")
    consulta = json.loads((REFERENCIA / "nfce-consultation-urls.json").read_text(encoding="utf-8"))

    saida = ["; Endereços dos serviços da NF-e (modelo 55) e da NFC-e (modelo 65).",
             "; Gerado por scripts/gerar_servicos_ini.py a partir das listas públicas em",
             "; dfe/component/servicos/referencia/. Não editar à mão.", ""]

    for ambiente, letra, _ in AMBIENTES:
        for sigla in ESTADOS:
            if sigla in nfe:
                linhas = chaves_de_servico(nfe[sigla].get(ambiente, []))
            else:
                linhas = [f"Usar=NFe_{AUTORIZADOR_NFE[sigla]}_{letra}"]
            saida += secao(f"NFe_{sigla}_{letra}", linhas)
        for sigla in sorted(s for s in nfe if s not in ESTADOS):
            nome = NOME_AUTORIZADOR.get(sigla, sigla)
            saida += secao(f"NFe_{nome}_{letra}", chaves_de_servico(nfe[sigla].get(ambiente, [])))

    for ambiente, letra, codigo in AMBIENTES:
        for sigla in ESTADOS:
            servicos = nfce.get(sigla, {}).get(ambiente, [])
            linhas = chaves_de_servico(servicos) or [f"Usar=NFCe_SVRS_{letra}"]
            if endereco_qrcode(servicos):
                linhas.append(f"URL-QRCode={endereco_qrcode(servicos)}")
            if consulta[codigo].get(sigla):
                linhas.append(f"URL-ConsultaNFCe={consulta[codigo][sigla]}")
            saida += secao(f"NFCe_{sigla}_{letra}", linhas)
        saida += secao(f"NFCe_SVRS_{letra}", chaves_de_servico(nfce["SVRS"].get(ambiente, [])))

    SAIDA.write_bytes("\r\n".join(saida).encode("cp1252"))


if __name__ == "__main__":
    gerar()
